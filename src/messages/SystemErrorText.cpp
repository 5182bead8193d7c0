#include "messages/SystemErrorText.h"

#include <cerrno>

namespace nakva {

std::string systemErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "tokio failo ar aplanko nėra";
    case ENOTDIR:
        return "kelyje yra failas, o ne aplankas";
    case EISDIR:
        return "tai aplankas, o ne failas";
    case EACCES:
    case EPERM:
        return "trūksta teisių";
    case EROFS:
        return "diskas tik skaitomas";
    case ENOSPC:
    case EDQUOT:
        return "diske nebėra vietos";
    case EFBIG:
        return "failas per didelis";
    case EIO:
        return "disko klaida (nepavyko skaityti ar rašyti)";
    case EEXIST:
        return "toks failas ar aplankas jau yra";
    case ENOTEMPTY:
        return "aplankas netuščias";
    case ENAMETOOLONG:
        return "per ilgas vardas";
    case EBUSY:
    case ETXTBSY:
        return "failą ar aplanką dabar naudoja kita programa";
    case EXDEV:
        return "failų negalima perkelti į kitą diską";
    case ENOMEM:
        return "trūksta atminties";
    default:
        return "sistemos klaida " + std::to_string(error);
    }
}

} // namespace nakva
