#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

// Every GoogleTest executable starts here: the environment is pinned before any test runs, so results
// do not depend on the machine's locale, time zone or display.
int main(int argc, char** argv) {
    setenv("LANG", "C.UTF-8", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("TZ", "Europe/Vilnius", 1);
    tzset();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
