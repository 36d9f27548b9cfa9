#include "apps/towary/SampleLists.h"

#include "Core/Database/Query.h"

namespace Towary::Host {
namespace {

struct SampleRate {
    int code;
    const char* name;
    double value;
    bool productExcluded;
    const char* fiscalCode;
};

// The codes of today's rates and of the rates before 2011, which products no
// longer get but the planned VAT change still maps. Letters as the chain's
// fiscal printers are programmed: A 23 %, B 8 %, C 5 %, D 0 %, E exempt; each
// old rate kept the letter of the rate that replaced it (22 % to 23 % stayed
// A, 7 % to 8 % stayed B, 3 % to 5 % stayed C) when the registers were
// reprogrammed, so receipts' short names did not change.
constexpr SampleRate kRates[] = {
    {1, "0%", 0.00, false, "D"},  {2, "3%", 0.03, true, "C"},  {3, "7%", 0.07, true, "B"},
    {6, "22%", 0.22, true, "A"},  {8, "zw.", 0.00, false, "E"}, {9, "5%", 0.05, false, "C"},
    {12, "8%", 0.08, false, "B"}, {13, "23%", 0.23, false, "A"},
};

struct SampleUnit {
    int id;
    const char* shortName;
    const char* name;
};

constexpr SampleUnit kUnits[] = {
    {1, "szt", "sztuka"},          {2, "ltr", "litr"},      {3, "kg", "kilogram"},
    {4, "but", "butelka"},         {5, "kar", "karton"},    {6, "pal", "paleta"},
    {7, "op", "opakowanie"},       {8, "mb", "metr bieżący"}, {9, "m2", "metr kwadratowy"},
    {10, "m3", "metr sześcienny"}, {11, "kpl", "komplet"},  {12, "zgr", "zgrzewka"},
    {13, "dsp", "displej"},
};

struct SamplePaymentForm {
    int id;
    const char* name;
    const char* shortName;
    bool final;
    bool native;
};

// Cards and foreign currencies are groups on the tills' payment screen; a
// receipt is paid with one of their final forms.
constexpr SamplePaymentForm kPaymentForms[] = {
    {1, "Gotówka", "zł", true, true},     {2, "Karty płatnicze", "karty", false, false},
    {3, "Karta debetowa", "debet", true, false}, {4, "Karta kredytowa", "kredyt", true, false},
    {5, "Bon towarowy", "bon", true, false},     {6, "Waluty obce", "waluty", false, false},
    {7, "Euro", "EUR", true, false},             {8, "Przelew", "przelew", true, false},
};

}  // namespace

void fillSampleLists(TSessionHolder session) {
    DBKernel::TransactionGuard transaction(session);
    DBKernel::Sql::Command rate("insert into stawkavat (byVAT, sNazwa, dStawka, bWykluczonaDlaTowarow, sKodFiskalny)"
                                " values (:code, :name, :value, :excluded, :fiscalCode)",
                                session);
    for (const SampleRate& sample : kRates) {
        rate.Params["code"] = sample.code;
        rate.Params["name"] = sample.name;
        rate.Params["value"] = sample.value;
        rate.Params["excluded"] = sample.productExcluded ? 1 : 0;
        rate.Params["fiscalCode"] = sample.fiscalCode;
        rate.execute();
    }
    DBKernel::Sql::Command unit("insert into jednostkamiary (nJm, sSkrot, sNazwa) values (:id, :shortName, :name)",
                                session);
    for (const SampleUnit& sample : kUnits) {
        unit.Params["id"] = sample.id;
        unit.Params["shortName"] = sample.shortName;
        unit.Params["name"] = sample.name;
        unit.execute();
    }
    DBKernel::Sql::Command form("insert into formaplatnosci (lPlatnoscRef, sNazwa, sSkrot, bKoncowa, bKrajowa)"
                                " values (:id, :name, :shortName, :final, :native)",
                                session);
    for (const SamplePaymentForm& sample : kPaymentForms) {
        form.Params["id"] = sample.id;
        form.Params["name"] = sample.name;
        form.Params["shortName"] = sample.shortName;
        form.Params["final"] = sample.final ? 1 : 0;
        form.Params["native"] = sample.native ? 1 : 0;
        form.execute();
    }
    transaction.commit();
}

}  // namespace Towary::Host
