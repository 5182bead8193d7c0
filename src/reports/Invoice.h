#pragma once

#include "data/Decimal.h"
#include "reports/Band.h"
#include "reports/PageCanvas.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
class Record;
class ReportScope;
class WmfFile;

// What the four invoice forms share: the sums of the lines an invoice prints, the heading with the
// seller and the buyer, the logos, the quantity's two pictures, the closing with the totals, the
// amount in words, the signatures and the notes.
namespace invoice {

inline constexpr int Left = mm(15);
inline constexpr int Right = mm(195);

Font textFont();
Font boldFont();

// The rate an invoice line is printed and summed under (vat::invoicedRate): its own, or for a line an
// earlier version of this program stored at the rate its rounded amounts imply (21.01), the rate it was
// priced at (21).
Decimal lineRate(const Record& line);

// The sums of the lines an invoice prints, as a whole and by VAT rate: the totals, the VAT lines and
// the amount in words all come from here, so they agree with the lines on the paper.
struct Sums {
    struct Part {
        Decimal withoutVat;
        Decimal vat;
        Decimal withVat;
    };
    std::map<Decimal, Part> byRate; // ascending rates
    Part total;

    // An invoice line (Saskeil) under its lineRate.
    void addLine(const Record& line);
    void add(const Sums& other);
    void clear() { *this = Sums{}; }
};

// The sums of the invoice lines of registration `registration`, read through a handle of its own. A
// read that fails ends the sums where it failed.
Sums linesOf(Context& context, std::int32_t registration);

// A VAT rate as a whole percentage, or with the decimals it has: "21", "9.5".
std::string rateText(const Decimal& rate);
// "PVM suma ( 21% ):": the rate as rateText shows it.
std::string vatLabel(const Decimal& rate);

// A quantity as the invoices print it: with three decimals when it has a fraction at the third
// decimal (2.500), else as a whole number (2); zero prints blank.
std::string quantityText(const Decimal& quantity);
// The unit price without VAT, `withoutVat` ÷ `quantity` kept with 4 decimals, 0 for no quantity;
// printed blank when 0.
Decimal unitPrice(const Decimal& withoutVat, const Decimal& quantity);
std::string amountText(const Decimal& amount);   // "n_11.2-b"
std::string unitPriceText(const Decimal& price); // "n_12.4-b"

// The logo places of the F1 forms: each of "Firma.wmf", "Firma.gif" and "Firma.jpg" found in `folder`
// (the program's working folder) is printed in a place of its own, fitted into it keeping its shape.
// The places are filled in that order by the files that are there (a file that cannot be read takes
// none): the first at the heading's left corner, the second at its right corner, the third beside the
// closing totals. So a logo in any one format stands where it always did.
class Logos {
public:
    explicit Logos(const std::filesystem::path& folder);

    enum Place { HeadingLeft, HeadingRight, BesideTotals };
    static constexpr int Width = mm(40);
    static constexpr int Height = mm(24);
    bool present(Place place) const { return std::size_t(place) < pictures_.size(); }
    // The place's picture with its top at `top` and its left (or, at the heading's right corner, its
    // right) edge at the place's.
    void draw(PageCanvas& canvas, Place place, int top) const;

private:
    struct Image {
        std::shared_ptr<const WmfFile> metafile;
        std::shared_ptr<const RasterPicture> raster;
    };
    std::vector<Image> pictures_;
};

// The heading: the title, series, number and date of the registration in the buffers, the logos of its
// two corners (when there are any) and the seller and the buyer blocks (the payer in the KLI buffer,
// blank when none), drawn from the band's top; HeadingHeight high.
inline constexpr int HeadingHeight = mm(30) + 7 * pt(11) + pt(6);
void drawHeading(PageCanvas& canvas, const ReportScope& scope, std::string_view title, const Logos* logos);
// The payer of the registration in the buffers into the KLI buffer, cleared when none has the code.
void fetchPayer(const ReportScope& scope);
// The signatures of the institution and the registration's two notes.
Band signatures(const ReportScope& scope);
// "Suma žodžiais :" and the words of `sums`' total with VAT, wrapped across the page.
void drawWords(PageCanvas& canvas, int top, const Sums& sums);
int wordsHeight(const Sums& sums);

} // namespace invoice

} // namespace nakva
