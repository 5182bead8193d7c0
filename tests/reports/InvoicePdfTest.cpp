// The VAT invoices and their register as an accountant reads them: the PDF that `nakva-cli report`
// writes, its text read back. Every form takes its totals, its VAT lines and its amount in words from
// the lines it prints, with one "PVM suma ( N% ):" line per rate the lines were charged at.
#include "ReportCliTestSupport.h"

namespace nakva::testing {

namespace {

// Registration 1 is invoice AB 20: a sauna line stored by an earlier version at the rate its rounded
// amounts imply (41.32 + 8.68: 21.01 %), a dinner at 21 %, and a night at 8.99 % (33.03 + 2.97 at 9 %);
// its stored totals were typed over (100.00 + 21.00) and are not the lines'. Registration 2 is
// invoice CD 5 with one line at 21 %.
const std::pair<const char*, const char*> Invoices[] = {
    {"Paslaug", "PAS:Pav,PAS:MATVNT\nPirtis,VAL.\nVakarienė,ŽMN.\nApgyvendinimas,PARA\nMasažas,VNT\n"},
    {"Klient", "KLI:Kod,KLI:PAV\nUAB1,UAB „Šiaurės vėjas“\n"},
    {"Saskait", "SAS:IrasoNr,SAS:SaskSer,SAS:SaskNr,SAS:SaskDt,SAS:KliKod,SAS:BSUMA,SAS:PVMPROC,SAS:PVMSUMA,"
                "SAS:BSUMASUPVM\n"
                "1,AB,20,2026-12-07,UAB1,100.00,21,21.00,121.00\n"
                "2,CD,5,2026-12-08,UAB1,30.00,21,6.30,36.30\n"},
    {"Saskeil",
     "SEI:SEILID,SEI:IrasoNr,SEI:PasPav,SEI:MATVNT,SEI:KIEKIS,SEI:SUMABEPVM,SEI:PVMPROC,SEI:PVMSUMA,"
     "SEI:SUMA\n"
     "1,1,Pirtis,VAL.,2,41.32,21.01,8.68,50.00\n"
     "2,1,Vakarienė,ŽMN.,1,50.00,21,10.50,60.50\n"
     "3,1,Apgyvendinimas,PARA,1,33.03,8.99,2.97,36.00\n"
     "4,2,Masažas,VNT,1,30.00,21,6.30,36.30\n"},
};

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

class InvoicePdfTest : public ReportCliTest {
protected:
    void SetUp() override {
        if (!installed("pdftotext")) {
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        }
        ASSERT_EQ(cli("init").status, 0);
        importTables(Invoices);
    }

    // Each of `texts` stands in `text`, and "PVM suma (" as often as `vatLines`.
    static void expect(const std::string& text, const std::vector<const char*>& texts, std::size_t vatLines) {
        for (const char* wanted : texts) {
            EXPECT_NE(text.find(wanted), std::string::npos) << wanted << " not in:\n" << text;
        }
        EXPECT_EQ(count(text, "PVM suma ("), vatLines) << text;
        EXPECT_EQ(text.find("21.01"), std::string::npos) << text;
        EXPECT_EQ(text.find("8.99"), std::string::npos) << text;
    }
};

} // namespace

// The forms of invoice AB 20: its lines without VAT 124.35, VAT 22.15 (2.97 at 9 %, 19.18 at 21 %),
// with VAT 146.50, whatever the registration's stored totals say.
TEST_F(InvoicePdfTest, EveryFormOfAnInvoiceSumsItsLinesUnderTheRatesTheyWerePricedAt) {
    const char* const words = "Suma žodžiais : Vienas šimtas keturiasdešimt šeši eurai 50 centų.";
    expect(pdfText("SpDidSask", "--registration 1"),
           {"Pirtis VAL. 2 20.6600 41.32", "Visa suma be PVM: 124.35", "PVM suma ( 9% ): 2.97",
            "PVM suma ( 21% ): 19.18", "Visa suma su PVM apmokėjimui: 146.50", words},
           2);
    expect(pdfText("SpDidSask2", "--registration 1"),
           {"Pirtis VAL. 2 20.6600 50.00 41.32 21.00 8.68",
            "Apgyvendinimas PARA 1 33.0300 36.00 33.03 9.00 2.97", "Iš viso: 146.50 124.35 22.15",
            "PVM suma ( 9% ): 2.97", "PVM suma ( 21% ): 19.18", words},
           2);
    // The summary's line is the registration's lines without VAT, not its stored 100.00.
    expect(pdfText("SpDidSaskSum", "--registration 1 --service-name 'Viešbučio paslaugos'"),
           {"Viešbučio paslaugos vnt 1 124.3500 124.35", "Visa suma be PVM: 124.35", "PVM suma ( 9% ): 2.97",
            "PVM suma ( 21% ): 19.18", "Visa suma su PVM apmokėjimui: 146.50", words},
           2);
    expect(pdfText("SpDidSaskSumInt", "--registration 1 --service-name 'Viešbučio paslaugos'"),
           {"Viešbučio paslaugos Vnt 1 33.0300 36.00 33.03 9.00 2.97",
            "Viešbučio paslaugos Vnt 1 91.3200 110.50 91.32 21.00 19.18", "Iš viso: 146.50 124.35 22.15",
            "PVM suma ( 9% ): 2.97", "PVM suma ( 21% ): 19.18", words},
           2);
}

// An invoice of one rate has its VAT line on the F2 forms too.
TEST_F(InvoicePdfTest, AnInvoiceOfOneRateHasItsVatLineOnEveryForm) {
    const char* const vat = "PVM suma ( 21% ): 6.30";
    expect(pdfText("SpDidSask", "--registration 2"), {vat}, 1);
    expect(pdfText("SpDidSask2", "--registration 2"), {"Iš viso: 36.30 30.00 6.30", vat}, 1);
    expect(pdfText("SpDidSaskSum", "--registration 2 --service-name 'Viešbučio paslaugos'"), {vat}, 1);
    expect(pdfText("SpDidSaskSumInt", "--registration 2 --service-name 'Viešbučio paslaugos'"), {vat}, 1);
}

// The register lists each invoice as it prints (the sums of its lines) and closes with a VAT line per
// rate.
TEST_F(InvoicePdfTest, TheRegisterListsTheInvoicesAsPrintedAndItsVatByRate) {
    expect(pdfText("SpSaskSuvData", "--from 2026-12-01 --to 2026-12-31"),
           {"2026-12-07 20 UAB „Šiaurės vėjas“ 124.35 22.15 146.50",
            "2026-12-08 5 UAB „Šiaurės vėjas“ 30.00 6.30 36.30", "Iš viso : 154.35 28.45 182.80",
            "PVM suma ( 9% ): 2.97", "PVM suma ( 21% ): 25.48"},
           2);
}

} // namespace nakva::testing
