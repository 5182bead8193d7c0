#pragma once

// The tables of the system, written once. Both the dictionary (Dictionary.cpp) and the typed
// field and key handles (Fields.h) are generated from these lists; nothing else repeats them.
//
// NAKVA_TABLES lists every table as T(TableId, prefix) in dictionary order. Each prefix has its own
// list NAKVA_TABLE_<prefix>(F, K):
//   F(name, kind, ...)  a field in record order. Kinds: Long, Number (the LONG that numbers the
//                       table's records), Date (a LONG day number), Byte, String (width),
//                       Decimal (digits, places), Group (the count of member fields that follow).
//   K(name, kind, components...)  a key in key order. Kinds: Primary (unique, marked primary),
//                       Identity (unique, not marked primary, serves as the record's identity),
//                       CaseSensitiveIdentity (as Identity, comparing text by letter case),
//                       Unique, Duplicates. The first key of kind Primary or Identity is the identity
//                       key; a table without one uses its first key.

#define NAKVA_TABLES(T)                                                                                      \
    T(IstgPar, IST)                                                                                          \
    T(Kamb, KMB)                                                                                             \
    T(SaskKmb, SKMB)                                                                                         \
    T(Saskait, SAS)                                                                                          \
    T(Grupes, GRP)                                                                                           \
    T(Saskeil, SEI)                                                                                          \
    T(Seilgraf, SEIG)                                                                                        \
    T(Mokej, MOK)                                                                                            \
    T(PaslGrp, PGRP)                                                                                         \
    T(KmbTipai, KTIP)                                                                                        \
    T(MokBudai, MOK1)                                                                                        \
    T(Valyt, VALYT)                                                                                          \
    T(KmbPatal, KPAT)                                                                                        \
    T(KmbRanks, KRANK)                                                                                       \
    T(Paslaug, PAS)                                                                                          \
    T(Klient, KLI)                                                                                           \
    T(Valstyb, VAL)                                                                                          \
    T(KmbVal, KVAL)                                                                                          \
    T(PvmTarif, PVMT)

// Tables that came after the first release, L(prefix): a backup made before one came has no file of it.
#define NAKVA_LATER_TABLES(L) L(PVMT)

// Second record buffers on the stored records of a table: S(prefix, second prefix).
#define NAKVA_SECOND_BUFFERS(S)                                                                              \
    S(KMB, KMB1)                                                                                             \
    S(SKMB, SKMB1)                                                                                           \
    S(SAS, SAS1)

// Institution data and settings: a single record.
#define NAKVA_TABLE_IST(F, K)                                                                                \
    F(ISTAIGA, String, 50)                                                                                   \
    F(ISTG1, String, 50)                                                                                     \
    F(ISTGADR, String, 50)                                                                                   \
    F(ISTGADR1, String, 50)                                                                                  \
    F(ISTGBANK, String, 50)                                                                                  \
    F(ISTGBANK1, String, 50)                                                                                 \
    F(PVMPROC, Decimal, 5, 2)                                                                                \
    F(APGYVENDINIMOPASPAV, String, 40)                                                                       \
    F(MAITINIMOPASPAV, String, 40)                                                                           \
    F(VAIKMAITINIMOPASPAV, String, 40)                                                                       \
    F(PAPVIETOSPASPAV, String, 40)                                                                           \
    F(PASIR, Group, 6)                                                                                       \
    F(PAR1, String, 30)                                                                                      \
    F(PAV1, String, 30)                                                                                      \
    F(PAR2, String, 30)                                                                                      \
    F(PAV2, String, 30)                                                                                      \
    F(PAR3, String, 30)                                                                                      \
    F(PAV3, String, 30)                                                                                      \
    F(PAST, String, 70)                                                                                      \
    F(PAST1, String, 70)                                                                                     \
    K(RA, Duplicates, ISTAIGA)

// Rooms.
#define NAKVA_TABLE_KMB(F, K)                                                                                \
    F(KambarioID, Number)                                                                                    \
    F(KambarioKorpusas, String, 5)                                                                           \
    F(KambarioAukstas, Long)                                                                                 \
    F(KambarioNr, String, 8)                                                                                 \
    F(KambarioTipas, String, 40)                                                                             \
    F(KAMBARIOGYVENTOJUSKC, Long)                                                                            \
    F(KAMBARIOKAINA, Decimal, 7, 2)                                                                          \
    F(KAMBARIOPASTABOS, String, 100)                                                                         \
    F(KambarysNenaudojamas, Byte)                                                                            \
    K(IDKEY, Primary, KambarioID)                                                                            \
    K(KORPAUKSTNR, Unique, KambarioKorpusas, KambarioAukstas, KambarioNr, KambarioID)                        \
    K(TIPASNRKEY, Unique, KambarioTipas, KambarioKorpusas, KambarioAukstas, KambarioNr, KambarioID)

// Rooms occupied under a registration.
#define NAKVA_TABLE_SKMB(F, K)                                                                               \
    F(IrasoNr, Long)                                                                                         \
    F(KambarioID, Long)                                                                                      \
    F(KambarioKaina, Decimal, 7, 2)                                                                          \
    F(KambarioGyventojuSkc, Long)                                                                            \
    F(Pastabos, String, 50)                                                                                  \
    K(INRKMBIDKEY, Primary, IrasoNr, KambarioID)                                                             \
    K(KMBIDINRKEY, Unique, KambarioID, IrasoNr)

// Registrations of residents, each the head of one invoice.
#define NAKVA_TABLE_SAS(F, K)                                                                                \
    F(IrasoNr, Number)                                                                                       \
    F(IrasoDt, Date)                                                                                         \
    F(SaskSer, String, 5)                                                                                    \
    F(SaskNr, Long)                                                                                          \
    F(SaskDt, Date)                                                                                          \
    F(KliKod, String, 20)                                                                                    \
    F(BSUMA, Decimal, 11, 2)                                                                                 \
    F(PVMPROC, Decimal, 5, 2)                                                                                \
    F(PVMSUMA, Decimal, 9, 2)                                                                                \
    F(BSUMASUPVM, Decimal, 11, 2)                                                                            \
    F(KAMBARIAI, String, 80)                                                                                 \
    F(Gyventojas, String, 35)                                                                                \
    F(GYVENTOJOAK, String, 11)                                                                               \
    F(GYVENTOJOADRESAS, String, 50)                                                                          \
    F(GYVENTOJOVALSTYBE, String, 20)                                                                         \
    F(GyventojoGrupe, String, 20)                                                                            \
    F(GYVENTOJOTAUTYBE, String, 20)                                                                          \
    F(ASMENSDOK, String, 30)                                                                                 \
    F(GYVENTOJUSKC, Long)                                                                                    \
    F(GyvenaNuo, Date)                                                                                       \
    F(GyvenaIki, Date)                                                                                       \
    F(Isvykes, Byte)                                                                                         \
    F(GYVENAPARU, Long)                                                                                      \
    F(GYVENALOVADIENIU, Long)                                                                                \
    F(MOKEJIMOBUDAS, String, 20)                                                                             \
    F(AVANSAS, Decimal, 7, 2)                                                                                \
    F(PUSRYCIUSK, Long)                                                                                      \
    F(PUSRYCIUVAIK, Long)                                                                                    \
    F(PAPPATALYNE, Long)                                                                                     \
    F(ISSIUSTA, Byte)                                                                                        \
    F(APMOKETA, Byte)                                                                                        \
    F(PAST, String, 70)                                                                                      \
    F(PAST1, String, 70)                                                                                     \
    F(KOMENTARAI, String, 150)                                                                               \
    K(IRASONRKEY, Primary, IrasoNr)                                                                          \
    K(IDTKEY, Unique, IrasoDt, IrasoNr)                                                                      \
    K(DTSASNRKEY, Unique, SaskDt, SaskSer, SaskNr, IrasoNr)                                                  \
    K(KLIKODKEY, Unique, KliKod, SaskDt, IrasoNr)                                                            \
    K(SASNRKEY, Unique, SaskSer, SaskNr, IrasoNr)                                                            \
    K(APMBUDAKEY, Unique, SaskDt, MOKEJIMOBUDAS, IrasoNr)                                                    \
    K(DTVALSTKEY, Unique, IrasoDt, GYVENTOJOVALSTYBE, IrasoNr)                                               \
    K(GYVENTKEY, Unique, Gyventojas, IrasoNr)                                                                \
    K(VALSTKEY, Unique, GYVENTOJOVALSTYBE, IrasoNr)                                                          \
    K(ISVYKESKEY, Unique, Isvykes, IrasoDt, IrasoNr)                                                         \
    K(ISVYKESPAVKEY, Unique, Isvykes, Gyventojas, IrasoNr)                                                   \
    K(ISVDATAKEY, Unique, GyvenaIki, Gyventojas, IrasoNr)                                                    \
    K(DTGRUPKEY, Unique, IrasoDt, GyventojoGrupe, IrasoNr)                                                   \
    K(GRUPKEY, Unique, GyventojoGrupe, IrasoNr)                                                              \
    K(ISVKLIENTGR, Unique, GyvenaIki, KliKod, GyventojoGrupe, IrasoNr)                                       \
    K(ATVDTKEY, Unique, GyvenaNuo, IrasoNr)

// Resident groups.
#define NAKVA_TABLE_GRP(F, K)                                                                                \
    F(Grupe, String, 20)                                                                                     \
    K(Key_Grupe, Primary, Grupe)

// Invoice lines, one per service charged on a registration.
#define NAKVA_TABLE_SEI(F, K)                                                                                \
    F(SEILID, Number)                                                                                        \
    F(IrasoNr, Long)                                                                                         \
    F(PasPav, String, 40)                                                                                    \
    F(PASPAV1, String, 40)                                                                                   \
    F(GYVENTOJUSKC, Long)                                                                                    \
    F(GYVENANUO, Date)                                                                                       \
    F(GYVENAIKI, Date)                                                                                       \
    F(GYVENAPARU, Long)                                                                                      \
    F(GYVENALOVADIENIU, Long)                                                                                \
    F(KIEKISPERDIENA, Decimal, 13, 3)                                                                        \
    F(MATVNT, String, 10)                                                                                    \
    F(KAINA, Decimal, 11, 4)                                                                                 \
    F(KIEKIS, Decimal, 13, 3)                                                                                \
    F(SUMA, Decimal, 11, 2)                                                                                  \
    F(PVMPROC, Decimal, 5, 2)                                                                                \
    F(PVMSUMA, Decimal, 9, 2)                                                                                \
    F(SUMABEPVM, Decimal, 11, 2)                                                                             \
    K(ID_KEY, Identity, SEILID)                                                                              \
    K(INRKEY, Unique, IrasoNr, SEILID)                                                                       \
    K(PASLKEY, Unique, PasPav, IrasoNr, SEILID)

// The per-day schedule of an invoice line.
#define NAKVA_TABLE_SEIG(F, K)                                                                               \
    F(SEILGID, Number)                                                                                       \
    F(SEILID, Long)                                                                                          \
    F(Data, Date)                                                                                            \
    F(KIEKIS, Decimal, 13, 3)                                                                                \
    F(KAINA, Decimal, 11, 4)                                                                                 \
    F(SUMA, Decimal, 11, 2)                                                                                  \
    K(ID_KEY, Identity, SEILGID)                                                                             \
    K(DT_KEY, Unique, Data, SEILGID)                                                                         \
    K(EILID_KEY, Unique, SEILID, Data, SEILGID)

// Payments.
#define NAKVA_TABLE_MOK(F, K)                                                                                \
    F(IrasoNr, Number)                                                                                       \
    F(SaskIrasoNr, Long)                                                                                     \
    F(MOKSER, String, 5)                                                                                     \
    F(MOKNR, Long)                                                                                           \
    F(MokDt, Date)                                                                                           \
    F(MokKod, String, 20)                                                                                    \
    F(MOKSUMA, Decimal, 11, 2)                                                                               \
    F(MokejimoBudas, Long)                                                                                   \
    F(KOMENTARAI, String, 150)                                                                               \
    K(IRASONRKEY, Primary, IrasoNr)                                                                          \
    K(IDTKEY, Unique, MokDt, IrasoNr)                                                                        \
    K(SASKIDMOKIDKEY, Unique, SaskIrasoNr, IrasoNr)                                                          \
    K(DTMOKNRKEY, Unique, MokDt, MOKSER, MOKNR, IrasoNr)                                                     \
    K(KLIKODKEY, Unique, MokKod, MokDt, IrasoNr)                                                             \
    K(MOKSERNRKEY, Unique, MOKSER, MOKNR, IrasoNr)                                                           \
    K(MOKDTAPMBUDAKEY, Unique, MokDt, MokejimoBudas, IrasoNr)                                                \
    K(APMBUDAMOKDTKEY, Unique, MokejimoBudas, MokDt, IrasoNr)

// Service groups.
#define NAKVA_TABLE_PGRP(F, K)                                                                               \
    F(IrasoNr, Number)                                                                                       \
    F(GrpPav, String, 30)                                                                                    \
    K(IRASONR_KEY, Primary, IrasoNr)                                                                         \
    K(PASLPAV_KEY, Unique, GrpPav, IrasoNr)

// Room types.
#define NAKVA_TABLE_KTIP(F, K)                                                                               \
    F(KambarioTipas, String, 40)                                                                             \
    K(KTIPAS, Primary, KambarioTipas)

// Payment methods.
#define NAKVA_TABLE_MOK1(F, K)                                                                               \
    F(MokBudoID, Number)                                                                                     \
    F(MOKBUDOPAV, String, 50)                                                                                \
    K(MOKBUDOIDKEY, Primary, MokBudoID)

// Cleaners.
#define NAKVA_TABLE_VALYT(F, K)                                                                              \
    F(ValytPav, String, 30)                                                                                  \
    K(KEYPAV, Primary, ValytPav)

// Bedding changes of a room.
#define NAKVA_TABLE_KPAT(F, K)                                                                               \
    F(IrasoID, Number)                                                                                       \
    F(IrasoDt, Date)                                                                                         \
    F(KambarioID, Long)                                                                                      \
    F(KIEKIS, Decimal, 9, 3)                                                                                 \
    K(KEY_ID, Primary, IrasoID)                                                                              \
    K(KEY_DT, Unique, IrasoDt, KambarioID, IrasoID)                                                          \
    K(KEY_KMBDT, Unique, KambarioID, IrasoDt, IrasoID)

// Towel changes of a room.
#define NAKVA_TABLE_KRANK(F, K)                                                                              \
    F(IrasoID, Number)                                                                                       \
    F(IrasoDt, Date)                                                                                         \
    F(KambarioID, Long)                                                                                      \
    F(KIEKIS, Decimal, 9, 3)                                                                                 \
    K(KEY_ID, Primary, IrasoID)                                                                              \
    K(KEY_DT, Unique, IrasoDt, KambarioID, IrasoID)                                                          \
    K(KEY_KMBDT, Unique, KambarioID, IrasoDt, IrasoID)

// Services: the price list. Service names differing only in letter case are different services.
#define NAKVA_TABLE_PAS(F, K)                                                                                \
    F(Pav, String, 40)                                                                                       \
    F(PAV1, String, 40)                                                                                      \
    F(PaslGrpNr, Long)                                                                                       \
    F(PKod, String, 20)                                                                                      \
    F(MATVNT, String, 10)                                                                                    \
    F(KAINBEPVM, Decimal, 11, 4)                                                                             \
    F(PVMPROC, Decimal, 5, 2)                                                                                \
    F(KAINSUPVM, Decimal, 11, 4)                                                                             \
    K(PASLKEY, CaseSensitiveIdentity, Pav)                                                                   \
    K(PKODKEY, Duplicates, PKod)                                                                             \
    K(PASLGRP_KEY, Unique, PaslGrpNr, Pav)

// Payers.
#define NAKVA_TABLE_KLI(F, K)                                                                                \
    F(Kod, String, 20)                                                                                       \
    F(REKV1, Group, 8)                                                                                       \
    F(PAV, String, 50)                                                                                       \
    F(PAV2, String, 50)                                                                                      \
    F(ADR, String, 50)                                                                                       \
    F(TEL, String, 50)                                                                                       \
    F(BANK, String, 50)                                                                                      \
    F(ATS, String, 30)                                                                                       \
    F(GAV, String, 50)                                                                                       \
    F(GAVADR, String, 50)                                                                                    \
    K(KODKEY, Primary, Kod)

// Countries.
#define NAKVA_TABLE_VAL(F, K)                                                                                \
    F(Valstybe, String, 20)                                                                                  \
    K(Key_Valst, Primary, Valstybe)

// Cleanings of a room.
#define NAKVA_TABLE_KVAL(F, K)                                                                               \
    F(IrasoID, Number)                                                                                       \
    F(IrasoDt, Date)                                                                                         \
    F(KambarioID, Long)                                                                                      \
    F(ValytPav, String, 30)                                                                                  \
    F(KIEKIS, Decimal, 9, 3)                                                                                 \
    K(KEY_ID, Primary, IrasoID)                                                                              \
    K(KEY_DTKMBID, Unique, IrasoDt, KambarioID, IrasoID)                                                     \
    K(KEY_KMBDT, Unique, KambarioID, IrasoDt, IrasoID)                                                       \
    K(KEY_VALDT, Unique, ValytPav, IrasoDt, IrasoID)

// VAT rates and the tax authority's codes for them (PVM1 for the standard rate ...), which the register
// of issued invoices names each rate by. A rate is listed once.
#define NAKVA_TABLE_PVMT(F, K)                                                                               \
    F(PVMPROC, Decimal, 5, 2)                                                                                \
    F(Kodas, String, 6)                                                                                      \
    F(Aprasymas, String, 100)                                                                                \
    K(PROCKEY, Primary, PVMPROC)
