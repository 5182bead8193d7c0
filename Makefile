# The two commands of the README: `make run` and `make test`.
# Each installs what is missing, configures and builds first.
PRESET ?= debug
BUILD  := build/$(PRESET)

.PHONY: all setup configure build test sanitize run bench format package clean soak soak-backup

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja: | setup
	cmake --preset $(PRESET)

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer (build/sanitize):
# any memory fault or undefined behaviour fails the test that met it.
sanitize: setup
	@[ -f build/sanitize/build.ninja ] || cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# The desktop program in the current folder (its DATA folder is created there);
# under a virtual display when there is no screen.
run: build
	@if [ -x $(BUILD)/app/gui/nakva ]; then \
		if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/app/gui/nakva; \
		else xvfb-run -a $(BUILD)/app/gui/nakva; fi; \
	else $(BUILD)/app/cli/nakva-cli --help; fi

# Four stations on one folder for a minute through nakva-cli (not part of `make test` or CI).
soak: build
	bash scripts/soak.sh $(BUILD) 60

# Backups every few seconds, each restored into a copy and checked, while four stations write; two
# minutes (not part of `make test` or CI).
soak-backup: build
	bash scripts/soak-backup.sh $(BUILD) 120

bench: setup
	@[ -f build/release/build.ninja ] || cmake --preset release
	cmake --build --preset release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# The Debian package build/<preset>/nakva_<version>_<arch>.deb, of the preset's build
# (make PRESET=release package for the one to give out).
package: build
	cd $(BUILD) && cpack -G DEB

format: configure
	cmake --build --preset $(PRESET) --target format

clean:
	rm -rf build
