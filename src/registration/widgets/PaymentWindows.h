#pragma once

namespace nakva {

class Database;
class ProcedureRegistry;

// The payments list "SarMokej" as the menu item "Apmokėjimai" starts it (a procedure context of its
// own), the payment form "RedMokej" that the registration form's payments open by name, and the
// invoice selection list "SelectSaskait" of the payments list's form.
void registerPaymentWindows(ProcedureRegistry& procedures, Database& database);

} // namespace nakva
