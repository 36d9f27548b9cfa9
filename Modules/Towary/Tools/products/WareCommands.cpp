#include "Modules/Towary/Tools/products/WareCommands.h"

#include "Modules/Towary/Tools/products/FieldBinding.h"

#include <array>

namespace Towar {

namespace {

// Width, height, depth and the mean calculation period are whole numbers in
// the product object and are bound as doubles all the same.
constexpr std::array<BoundField, 48> kWareParams{{
    {"lTowarRef", TTowar::TowarRef, Binding::Integer},
    {"sNazwa", TTowar::Nazwa, Binding::Text},
    {"sKrNazwa", TTowar::KrNazwa, Binding::Text},
    {"BrandId", TTowar::BrandId, Binding::Integer},
    {"sGrIndex", TTowar::GrIndex, Binding::Text},
    {"sArtIndex", TTowar::ArtIndex, Binding::Text},
    {"sSww", TTowar::SWW, Binding::Text},
    {"byVat", TTowar::VAT, Binding::Integer},
    {"byCode", TTowar::Code, Binding::Integer},
    {"byTyp", TTowar::Typ, Binding::Integer},
    {"nJmSprz", TTowar::JmSprz, Binding::Integer},
    {"bWagowy", TTowar::Wagowy, Binding::Integer},
    {"nZapasDniMin", TTowar::ZapasDniMin, Binding::Integer},
    {"nZapasDniOpt", TTowar::ZapasDniOpt, Binding::Integer},
    {"dSztukWOpak", TTowar::SztukWOpak, Binding::Double},
    {"lOpakRef", TTowar::OpakRef, Binding::Integer},
    {"nMarza", TTowar::Marza, Binding::Double},
    {"bySendWiecz", TTowar::SendWiecz, Binding::Integer},
    {"bySendNat", TTowar::SendNat, Binding::Integer},
    {"lUzytkRef", TTowar::UzytkRef, Binding::Integer},
    {"czasMod", TTowar::czasMod, Binding::Double},
    {"nCadencierNr", TTowar::CadencierNr, Binding::Integer},
    {"sPkwiu", TTowar::PKWiU, Binding::Text},
    {"nStatusAktywnosci", TTowar::StatusAktywnosci, Binding::Integer},
    {"nSzerokosc", TTowar::Szerokosc, Binding::Double},
    {"nWysokosc", TTowar::Wysokosc, Binding::Double},
    {"nGlebokosc", TTowar::Glebokosc, Binding::Double},
    {"dObjetosc", TTowar::Objetosc, Binding::Double},
    {"lKlasaRef", TTowar::KlasaRef, Binding::Integer},
    {"bAtrWart", TTowar::AtrWart, Binding::Integer},
    {"bAtrMask", TTowar::AtrMask, Binding::Integer},
    {"nJmBase", TTowar::JmBase, Binding::Integer},
    {"dPrzelicznikSprz2Base", TTowar::PrzelicznikSprz2Base, Binding::Double},
    {"nOkresUsred", TTowar::OkresUsred, Binding::Double},
    {"nIloscPierwZam", TTowar::IloscPierwZam, Binding::Double},
    {"czasUtworzenia", TTowar::czasUtworzenia, Binding::Double},
    {"nJmPrzelicznik", TTowar::JmPrzelicznik, Binding::Integer},
    {"dPrzelicznik", TTowar::Przelicznik, Binding::Double},
    {"nTypEtykiety", TTowar::TypEtykiety, Binding::Integer},
    {"nSposobZam", TTowar::SposobZam, Binding::Integer},
    {"sSposobZamArg", TTowar::SposobZamArg, Binding::Text},
    {"bWieleWydan", TTowar::WieleWydan, Binding::Integer},
    {"bCenaOtwarta", TTowar::CenaOtwarta, Binding::Integer},
    {"bWieleCen", TTowar::WieleCen, Binding::Integer},
    {"nOkresPrzydatnosciMag", TTowar::OkresPrzydatnosciMag, Binding::Integer},
    {"alternativeVatRate", TTowar::AlternativeVatRate, Binding::Integer},
    {"DutyFreeZoneRestrictions", TTowar::DutyFreeZoneRestrictions, Binding::Integer},
    {"DutyFreeZoneVatRatesHandling", TTowar::DutyFreeZoneVatRatesHandling, Binding::Integer},
}};

constexpr std::array<BoundField, 5> kPluParams{{
    {"lPluRef", TPLU::PluRef, Binding::Integer},
    {"sPlu", TPLU::PLU, Binding::Text},
    {"lTowarRef", TPLU::TowarRef, Binding::Integer},
    {"nJm", TPLU::Jm, Binding::Integer},
    {"byStatus", TPLU::Status, Binding::Integer},
}};

void bindFields(Command& command, const BaseDBObjects::Record& record, std::span<const BoundField> fields) {
    for (const auto& field : fields) bindField(command.param(field.name), record, field);
}

// The parameters of the insert after the id, in its order: the predicates of
// the deleter name them all.
constexpr std::array<const char*, 43> kInsertedAfterId{
    "sNazwa", "sKrNazwa", "BrandId", "sGrIndex", "sArtIndex", "sSWW", "byVAT", "byCode", "byTyp", "nJmSprz",
    "bWagowy", "nZapasDniMin", "nZapasDniOpt", "dSztukWOpak", "lOpakRef", "nMarza", "bySendWiecz", "bySendNat",
    "lUzytkRef", "czasMod", "nCadencierNr", "sPKWiU", "nStatusAktywnosci", "nSzerokosc", "nWysokosc",
    "nGlebokosc", "dObjetosc", "lKlasaRef", "bAtrWart", "bAtrMask", "nJmBase", "dPrzelicznikSprz2Base",
    "nOkresUsred", "nIloscPierwZam", "czasUtworzenia", "nJmPrzelicznik", "dPrzelicznik", "nTypEtykiety",
    "nSposobZam", "sSposobZamArg", "bWieleWydan", "bCenaOtwarta", "bWieleCen"};

}  // namespace

Command::Command(std::string sql, TSessionHolder session) : command_(std::move(sql), std::move(session)) {}

Command::~Command() = default;

std::int64_t Command::execute() { return command_.execute(); }

void WareCommand::Params::bind(Command& command, const TTowar& product) { bindFields(command, product, kWareParams); }

void WareCommand::setParams(const TTowar& product) { Params::bind(*this, product); }

std::int64_t WareCommand::execute(const TTowar& product) {
    setParams(product);
    return execute();
}

MainWareUpdater::MainWareUpdater(TSessionHolder session) : WareCommand(createSql(), std::move(session)) {}

std::string MainWareUpdater::createSql() {
    return "update Towar set sNazwa = :sNazwa, sKrNazwa = :sKrNazwa, BrandId = :BrandId, sGrIndex = :sGrIndex, "
           "sArtIndex = :sArtIndex, sSWW = :sSWW, byVAT = :byVAT, dPrzelicznikSprz2Base = :dPrzelicznikSprz2Base, "
           "nJmBase = :nJmBase, nJmSprz = :nJmSprz, bWagowy = :bWagowy, nZapasDniMin = :nZapasDniMin, "
           "nZapasDniOpt = :nZapasDniOpt, dSztukWOpak = :dSztukWOpak, lOpakRef = :lOpakRef, nMarza = :nMarza, "
           "lUzytkRef = :lUzytkRef, czasMod = :czasMod, nCadencierNr = :nCadencierNr, sPKWiU = :sPKWiU, "
           "nStatusAktywnosci = :nStatusAktywnosci, nSzerokosc = :nSzerokosc, nWysokosc = :nWysokosc, "
           "nGlebokosc = :nGlebokosc, dObjetosc = :dObjetosc, lKlasaRef = :lKlasaRef, bAtrWart = :bAtrWart, "
           "bAtrMask = :bAtrMask, nJmPrzelicznik = :nJmPrzelicznik, dPrzelicznik = :dPrzelicznik, "
           "nTypEtykiety = :nTypEtykiety, nOkresUsred = :nOkresUsred, nIloscPierwZam = :nIloscPierwZam, "
           "nSposobZam = :nSposobZam, sSposobZamArg = :sSposobZamArg, bWieleWydan = :bWieleWydan, "
           "bCenaOtwarta = :bCenaOtwarta where lTowarRef = :lTowarRef and (:byTyp is null or :byTyp = :byTyp) "
           "and (:byCode is null or :byCode = :byCode) and (:bySendWiecz is null or :bySendWiecz = :bySendWiecz) "
           "and (:bySendNat is null or :bySendNat = :bySendNat) and (:bWieleCen is null or :bWieleCen = :bWieleCen) "
           "and (:czasUtworzenia is null or :czasUtworzenia = :czasUtworzenia)";
}

GroupWareUpdater::GroupWareUpdater(TSessionHolder session) : WareCommand(createSql(), std::move(session)) {}

std::string GroupWareUpdater::createSql() {
    return "update Towar set  BrandId = :BrandId, sSWW = :sSWW, byVAT = :byVAT, byTyp = :byTyp, "
           "dPrzelicznikSprz2Base = :dPrzelicznikSprz2Base, nJmBase = :nJmBase, nJmSprz = :nJmSprz, "
           "bWagowy = :bWagowy, nZapasDniMin = :nZapasDniMin, nZapasDniOpt = :nZapasDniOpt, "
           "dSztukWOpak = :dSztukWOpak, lOpakRef = :lOpakRef, nMarza = :nMarza, bySendWiecz = :bySendWiecz, "
           "bySendNat = :bySendNat, lUzytkRef = :lUzytkRef, czasMod = :czasMod, nCadencierNr = :nCadencierNr, "
           "sPKWiU = :sPKWiU, nStatusAktywnosci = :nStatusAktywnosci, nSzerokosc = :nSzerokosc, "
           "nWysokosc = :nWysokosc, nGlebokosc = :nGlebokosc, dObjetosc = :dObjetosc, lKlasaRef = :lKlasaRef, "
           "bAtrWart = :bAtrWart, bAtrMask = :bAtrMask, nJmPrzelicznik = :nJmPrzelicznik, "
           "dPrzelicznik = :dPrzelicznik, nTypEtykiety = :nTypEtykiety, nSposobZam = :nSposobZam, "
           "sSposobZamArg = :sSposobZamArg, bWieleWydan = :bWieleWydan, bCenaOtwarta = :bCenaOtwarta, "
           "nOkresUsred = :nOkresUsred, nIloscPierwZam = :nIloscPierwZam where sGrIndex = :sGrIndex and "
           "bWieleCen = :bWieleCen and (:lTowarRef is null or :lTowarRef = :lTowarRef) and (:sNazwa is null or "
           ":sNazwa = :sNazwa) and (:sKrNazwa is null or :sKrNazwa = :sKrNazwa) and (:sArtIndex is null or "
           ":sArtIndex = :sArtIndex) and (:byCode is null or :byCode = :byCode) and (:czasUtworzenia is null or "
           ":czasUtworzenia = :czasUtworzenia)";
}

WareInserter::WareInserter(TSessionHolder session) : WareCommand(createSql(), std::move(session)) {}

std::string WareInserter::createSql() {
    std::string values = ":lTowarRef";
    for (const char* name : kInsertedAfterId) values += std::string(", :") + name;
    return "insert into Towar (lTowarRef, sNazwa, sKrNazwa, BrandId, sGrIndex, sArtIndex, sSWW, byVAT, byCode, "
           "byTyp, nJmSprz, bWagowy, nZapasDniMin, nZapasDniOpt, dSztukWOpak, lOpakRef, nMarza, bySendWiecz, "
           "bySendNat, lUzytkRef, czasMod, nCadencierNr, sPKWiU, nStatusAktywnosci, nSzerokosc, nWysokosc, "
           "nGlebokosc, dObjetosc, lKlasaRef, bAtrWart, bAtrMask, nJmBase, dPrzelicznikSprz2Base, nOkresUsred, "
           "nIloscPierwZam , czasUtworzenia, nJmPrzelicznik, dPrzelicznik, nTypEtykiety, nSposobZam, "
           "sSposobZamArg, bWieleWydan, bCenaOtwarta, bWieleCen) values (" +
           values + ")";
}

WareDeleter::WareDeleter(TSessionHolder session) : WareCommand(createSql(), std::move(session)) {}

std::string WareDeleter::createSql() {
    std::string sql = "delete from towar where ltowarref = :lTowarRef";
    for (const std::string name : kInsertedAfterId)
        sql += " and (:" + name + " is null or :" + name + " = :" + name + ")";
    return sql;
}

RegularWareToMultiPriceTurner::RegularWareToMultiPriceTurner(TSessionHolder session)
    : Command("update towar set sGrIndex = :sGrIndex, bWieleCen = :bWieleCen where lTowarRef = :lTowarRef",
              std::move(session)) {}

MultiPriceWareMover::MultiPriceWareMover(TSessionHolder session)
    : Command("update towar set sGrIndex = :newGrIndex where sGrIndex = :multiPriceWareGrIndex", std::move(session)) {}

MultiPriceWareGroupDeleter::MultiPriceWareGroupDeleter(TSessionHolder session)
    : Command("update towar set sGrIndex = :toGrIndex, bWieleCen = :bWieleCen, byCode = :byCode where sGrIndex = "
              ":multiPriceWareGrIndex",
              std::move(session)) {}

WareIndexChanger::WareIndexChanger(TSessionHolder session)
    : Command("update towar set sartindex = :sArtIndex where ltowarref = :lTowarRef", std::move(session)) {}

void PluCommand::Params::bind(Command& command, const TPLU& code) { bindFields(command, code, kPluParams); }

void PluCommand::setParams(TPLU& code) { Params::bind(*this, code); }

std::int64_t PluCommand::execute(TPLU& code) {
    setParams(code);
    return execute();
}

PluInserter::PluInserter(TSessionHolder session) : PluCommand(createSql(), std::move(session)) {}

std::string PluInserter::createSql() {
    return "insert into Plu (lPluRef, sPLU, lTowarRef, nJm, byStatus) values (:lPluRef, :sPLU, :lTowarRef, :nJm, "
           ":byStatus)";
}

PluUpdater::PluUpdater(TSessionHolder session) : PluCommand(createSql(), std::move(session)) {}

std::string PluUpdater::createSql() {
    return "update Plu set nJm = :nJm where sPLU = :sPLU and (:lPluRef is null or :lPluRef = :lPluRef) and "
           "(:byStatus is null or :byStatus = :byStatus) and (:lTowarRef is null or :lTowarRef = :lTowarRef)";
}

}  // namespace Towar
