#include "reports/Invoice.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Record.h"
#include "data/Table.h"
#include "data/Vat.h"
#include "reports/AmountInWords.h"
#include "reports/PictureDecoder.h"
#include "reports/ReportScope.h"
#include "reports/TextMetrics.h"
#include "reports/WmfFile.h"
#include "ui/Picture.h"

#include <algorithm>

namespace nakva::invoice {

namespace {

constexpr int Line = pt(11);
constexpr int Middle = (Left + Right) / 2;
constexpr int BuyerLeft = mm(108);

Font titleFont() {
    return {"Arial", 13, true};
}

} // namespace

Font textFont() {
    return {"Arial", 9};
}

Font boldFont() {
    return {"Arial", 9, true};
}

Decimal lineRate(const Record& line) {
    return vat::invoicedRate(line.get(SEI::PVMPROC), line.get(SEI::SUMA), line.get(SEI::PVMSUMA));
}

void Sums::addLine(const Record& line) {
    for (Part* part : {&byRate[lineRate(line)], &total}) {
        part->withoutVat += line.get(SEI::SUMABEPVM);
        part->vat += line.get(SEI::PVMSUMA);
        part->withVat += line.get(SEI::SUMA);
    }
}

void Sums::add(const Sums& other) {
    const auto into = [](Part& part, const Part& added) {
        part.withoutVat += added.withoutVat;
        part.vat += added.vat;
        part.withVat += added.withVat;
    };
    for (const auto& [rate, part] : other.byRate) {
        into(byRate[rate], part);
    }
    into(total, other.total);
}

Sums linesOf(Context& context, std::int32_t registration) {
    Sums sums;
    Table lines(context, SEI::table, false);
    lines.open();
    lines.record().set(SEI::IrasoNr, registration);
    if (lines.setToKeyValue(SEI::INRKEY) == StoreStatus::Ok) {
        while (lines.next() == StoreStatus::Ok && lines.record().get(SEI::IrasoNr) == registration) {
            sums.addLine(lines.record());
        }
    }
    lines.close();
    return sums;
}

std::string rateText(const Decimal& rate) {
    const Decimal whole = rate.rounded(0);
    std::string shown = whole == rate ? whole.toString(0) : rate.toString();
    if (shown.find('.') != std::string::npos) {
        while (shown.back() == '0') {
            shown.pop_back();
        }
    }
    return shown;
}

std::string vatLabel(const Decimal& rate) {
    return "PVM suma ( " + rateText(rate) + "% ):";
}

std::string quantityText(const Decimal& quantity) {
    const bool fraction = quantity.rounded(3) != quantity.rounded(0);
    return (fraction ? Picture::number(12, 3, true) : Picture::number(15, 0, true)).format(quantity);
}

Decimal unitPrice(const Decimal& withoutVat, const Decimal& quantity) {
    return quantity.isZero() ? Decimal() : (withoutVat / quantity).rounded(4);
}

std::string amountText(const Decimal& amount) {
    return Picture::number(11, 2, true).format(amount);
}

std::string unitPriceText(const Decimal& price) {
    return Picture::number(12, 4, true).format(price);
}

Logos::Logos(const std::filesystem::path& folder) {
    std::error_code error;
    if (const auto wmf = folder / "Firma.wmf"; std::filesystem::exists(wmf, error)) {
        if (auto metafile = WmfFile::load(wmf)) {
            pictures_.push_back({std::move(metafile), nullptr});
        }
    }
    for (const char* name : {"Firma.gif", "Firma.jpg"}) {
        if (const auto file = folder / name; std::filesystem::exists(file, error)) {
            if (auto raster = decodePicture(file)) {
                pictures_.push_back({nullptr, std::move(raster)});
            }
        }
    }
}

void Logos::draw(PageCanvas& canvas, Place place, int top) const {
    if (!present(place)) {
        return;
    }
    const Image& picture = pictures_[std::size_t(place)];
    int width = 0;
    int height = 0;
    if (picture.metafile) {
        const WmfFile::Frame frame = picture.metafile->frame();
        width = frame.width < 0 ? -frame.width : frame.width;
        height = frame.height < 0 ? -frame.height : frame.height;
    } else {
        width = picture.raster->width;
        height = picture.raster->height;
    }
    if (width <= 0 || height <= 0) {
        return;
    }
    // As large as the place allows, its shape kept, at the place's top corner.
    Rect fitted{Left, top, Width, Height};
    if (std::int64_t(Width) * height > std::int64_t(Height) * width) {
        fitted.width = int(std::int64_t(Height) * width / height);
    } else {
        fitted.height = int(std::int64_t(Width) * height / width);
    }
    if (place == HeadingRight) {
        fitted.left = Right - fitted.width;
    }
    if (picture.metafile) {
        canvas.picture(fitted, picture.metafile);
    } else {
        canvas.picture(fitted, picture.raster);
    }
}

void fetchPayer(const ReportScope& scope) {
    Table& payers = scope.context().table(KLI::table);
    const std::string code = scope.record(SAS::table).get(SAS::KliKod);
    payers.clear();
    if (code.empty()) {
        return;
    }
    payers.record().set(KLI::Kod, code);
    if (payers.getByKey(KLI::KODKEY) != StoreStatus::Ok) {
        payers.clear();
    }
}

void drawHeading(PageCanvas& canvas, const ReportScope& scope, std::string_view title, const Logos* logos) {
    const Record& registration = scope.record(SAS::table);
    const Record& payer = scope.record(KLI::table);
    const Record& seller = scope.institution();
    if (logos != nullptr) {
        logos->draw(canvas, Logos::HeadingLeft, 0);
        logos->draw(canvas, Logos::HeadingRight, 0);
    }
    canvas.setFont(titleFont());
    canvas.text({Middle, pt(16)}, title, Align::Center);
    canvas.setFont(boldFont());
    canvas.text({Middle, pt(32)},
                "Serija " + registration.get(SAS::SaskSer) + " Nr. " +
                    std::to_string(registration.get(SAS::SaskNr)),
                Align::Center);
    canvas.setFont(textFont());
    canvas.text({Middle, pt(45)}, formatDate(registration.get(SAS::SaskDt)), Align::Center);

    const int top = mm(30);
    const int sellerWidth = BuyerLeft - Left - mm(4);
    const int buyerWidth = Right - BuyerLeft;
    canvas.setFont(boldFont());
    canvas.text({Left, top}, "Pardavėjas:");
    canvas.text({BuyerLeft, top}, "Pirkėjas:");
    canvas.setFont(textFont());
    int baseline = top + Line;
    for (const auto& field :
         {IST::ISTAIGA, IST::ISTG1, IST::ISTGADR, IST::ISTGADR1, IST::ISTGBANK, IST::ISTGBANK1}) {
        canvas.text({Left, baseline}, fitText(seller.get(field), textFont(), sellerWidth));
        baseline += Line;
    }
    baseline = top + Line;
    for (const auto& field : {KLI::PAV, KLI::PAV2, KLI::ADR}) {
        canvas.text({BuyerLeft, baseline}, fitText(payer.get(field), textFont(), buyerWidth));
        baseline += Line;
    }
    canvas.text({BuyerLeft, baseline}, "Telefonas, atsakingas:");
    baseline += Line;
    std::string contact = payer.get(KLI::TEL);
    if (!payer.get(KLI::ATS).empty()) {
        contact += (contact.empty() ? "" : ", ") + payer.get(KLI::ATS);
    }
    canvas.text({BuyerLeft, baseline}, fitText(contact, textFont(), buyerWidth));
}

namespace {

std::vector<std::string> wordLines(const Sums& sums) {
    const int labelWidth = textWidth("Suma žodžiais : ", boldFont());
    return wrapText(amountInWords(sums.total.withVat.toDouble()), textFont(), Right - Left - labelWidth);
}

} // namespace

int wordsHeight(const Sums& sums) {
    return std::max<int>(1, int(wordLines(sums).size())) * Line + pt(6);
}

void drawWords(PageCanvas& canvas, int top, const Sums& sums) {
    canvas.setFont(boldFont());
    const std::string label = "Suma žodžiais : ";
    canvas.text({Left, top + pt(9)}, label);
    canvas.setFont(textFont());
    int baseline = top + pt(9);
    for (const std::string& line : wordLines(sums)) {
        canvas.text({Left + textWidth(label, boldFont()), baseline}, line);
        baseline += Line;
    }
}

Band signatures(const ReportScope& scope) {
    Band band;
    band.height = pt(62);
    band.draw = [&scope](PageCanvas& canvas, const BandContext&) {
        const Record& seller = scope.institution();
        const Record& registration = scope.record(SAS::table);
        const std::pair<StringField<TableId::IstgPar>, StringField<TableId::IstgPar>> places[] = {
            {IST::PAR1, IST::PAV1}, {IST::PAR2, IST::PAV2}, {IST::PAR3, IST::PAV3}};
        const int width = (Right - Left) / 3;
        canvas.setFont(textFont());
        for (int i = 0; i < 3; ++i) {
            const int left = Left + i * width;
            const std::string& position = seller.get(places[i].first);
            const std::string& name = seller.get(places[i].second);
            if (position.empty() && name.empty()) {
                continue;
            }
            canvas.text({left, pt(20)}, fitText(position, textFont(), width - mm(4)));
            canvas.line({left, pt(32)}, {left + width - mm(6), pt(32)});
            canvas.text({left, pt(41)}, fitText(name, textFont(), width - mm(4)));
        }
        canvas.text({Left, pt(52)}, fitText(registration.get(SAS::PAST), textFont(), Right - Left));
        canvas.text({Left, pt(61)}, fitText(registration.get(SAS::PAST1), textFont(), Right - Left));
    };
    return band;
}

} // namespace nakva::invoice
