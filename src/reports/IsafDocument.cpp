#include "reports/Isaf.h"

#include "reports/Invoice.h"
#include "reports/XmlWriter.h"

namespace nakva::isaf {

namespace {

constexpr std::string_view SchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";

// An amount as the register writes it: to the cent, a point before the cents.
std::string amount(const Decimal& value) {
    return value.toString(2);
}

void customerInfo(XmlWriter& xml, const Customer& customer) {
    xml.open("CustomerInfo");
    xml.element("VATRegistrationNumber", customer.vatCode);
    xml.element("RegistrationNumber", customer.code);
    if (customer.country.empty()) {
        xml.empty("Country", {{"xsi:nil", "true"}});
    } else {
        xml.element("Country", customer.country);
    }
    xml.element("Name", customer.name);
    xml.close();
}

// The invoice date is the one date a printed invoice carries: the date of its supply as well.
void invoice(XmlWriter& xml, const Invoice& invoice) {
    const std::string date = formatDate(invoice.date);
    xml.open("Invoice");
    xml.element("InvoiceNo", invoice.number);
    customerInfo(xml, invoice.customer);
    xml.element("InvoiceDate", date);
    xml.element("InvoiceType", "SF");
    xml.empty("SpecialTaxation");
    xml.empty("References");
    xml.element("VATPointDate", date);
    xml.open("DocumentTotals");
    for (const DocumentTotal& total : invoice.totals) {
        xml.open("DocumentTotal");
        xml.element("TaxableValue", amount(total.taxableValue));
        xml.element("TaxCode", total.taxCode);
        xml.element("TaxPercentage", invoice::rateText(total.rate));
        xml.element("Amount", amount(total.vat));
        xml.element("VATPointDate2", date);
        xml.close();
    }
    xml.close();
    xml.close();
}

} // namespace

Software thisProgram() {
    return {"NAKVA", "NAKVA viešbučio paslaugų registras", NAKVA_VERSION};
}

std::string document(const Register& isafRegister) {
    XmlWriter xml;
    xml.open("iSAFFile", {{"xmlns", Namespace}, {"xmlns:xsi", SchemaInstance}});
    xml.open("Header");
    xml.open("FileDescription");
    xml.element("FileVersion", FileVersion);
    xml.element("FileDateCreated", isafRegister.created);
    xml.element("DataType", "S"); // the register of issued invoices alone
    xml.element("SoftwareCompanyName", isafRegister.software.maker);
    xml.element("SoftwareName", isafRegister.software.name);
    xml.element("SoftwareVersion", isafRegister.software.version);
    xml.element("RegistrationNumber", isafRegister.registrationNumber);
    xml.element("NumberOfParts", "1");
    xml.element("PartNumber", "1");
    xml.open("SelectionCriteria");
    xml.element("SelectionStartDate", formatDate(isafRegister.from));
    xml.element("SelectionEndDate", formatDate(isafRegister.to));
    xml.close();
    xml.close();
    xml.close();
    if (!isafRegister.invoices.empty()) {
        xml.open("SourceDocuments");
        xml.open("SalesInvoices");
        for (const Invoice& each : isafRegister.invoices) {
            invoice(xml, each);
        }
        xml.close();
        xml.close();
    }
    xml.close();
    return xml.document();
}

} // namespace nakva::isaf
