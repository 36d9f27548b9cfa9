#include "Core/Store/StoreLocation.h"
#include "Modules/Towary/Tools/plu/CBlokujPlu.h"
#include "Modules/Towary/Tools/plu/SpecialPluGenerator.h"
#include "tests/plu/DiscountCodeStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Failure.h"
#include "tests/support/RunTowary.h"
#include "tests/support/SettingsFile.h"

#include <boost/algorithm/string/replace.hpp>

#include <cmath>
#include <limits>

namespace {

using TestSupport::failure;

class PriceCode : public DiscountCodeStore {
protected:
    // Replaces a text of the store's settings file.
    void editSettings(const std::string& from, const std::string& to) {
        const auto text = TestSupport::readFile(Core::Store::settingsFile());
        TestSupport::replaceSettingsFile(boost::algorithm::replace_first_copy(text, from, to));
    }

    long long product_ = addProduct("Ser");
};

TEST_F(PriceCode, PrefixFreeNumberPriceAndCheckDigit) {
    // Which number is free is the store routine's rule, checked with it; the code is built around its answer.
    for (const char* taken : {"2900001000006", "2900002000003"}) addCode(product_, taken);
    PLU::CGeneratorPLUSpecjalnych generate;
    EXPECT_EQ(generate.prefix(), "29");
    EXPECT_EQ(generate(12.5), "2900003012506") << "29, 00003, 012, 50 and the check digit";
    EXPECT_EQ(generate(0.999999).substr(0, 12), "290000300099");
    EXPECT_EQ(generate(3.10).substr(0, 12), "290000300310");
    EXPECT_EQ(failure([&] { generate(1000); }), "Błąd! PLU '29000031000000' nie pasuje do maski PLU specjalnego!");
    EXPECT_EQ(failure([&] { generate(std::nan("")); }),
              "Błąd! PLU '2900003nannan0' nie pasuje do maski PLU specjalnego!");
    for (double huge : {1e30, std::numeric_limits<double>::infinity()})
        EXPECT_NE(failure([&] { generate(huge); }).find("nie pasuje do maski PLU specjalnego!"), std::string::npos);

    editSettings("Tekst = \"28\"", "Tekst = \"2\"");  // the weighed mask now takes every code of 2
    EXPECT_EQ(failure([&] { generate(12.5); }), "Błąd! PLU '2900003012500' nie pasuje do maski PLU specjalnego!");
    editSettings("Typ = \"S\"", "Typ = \"P\"");
    EXPECT_EQ(failure([] { PLU::CGeneratorPLUSpecjalnych(); }), "Błąd! Brak masek specjalnych kodów PLU w konfig.!");
}

TEST_F(PriceCode, LockRefusedToOtherSessionsAndProcessesUntilRollback) {
    const auto id = addCode(product_, "2900017012509");
    Plu::CBlokujPlu lock;
    TSessionHolder mine = TSessionHolder::open();
    int pluRef = -1;
    EXPECT_EQ(lock("17", mine, pluRef), Plu::CBlokujPlu::kNoCode);
    EXPECT_EQ(pluRef, -1);
    EXPECT_FALSE(mine.InTransaction()) << "no lock taken: the transaction the call opened is gone";
    mine.StartTransaction();
    EXPECT_EQ(lock("17", mine, pluRef), Plu::CBlokujPlu::kNoCode);
    EXPECT_TRUE(mine.InTransaction()) << "the caller's own transaction stays the caller's";
    mine.Rollback();

    // plu_lock_holder holds the code's lock in a process of its own until it reads a line.
    TestSupport::ChildProcess holder(PLU_LOCK_HOLDER, {Core::Store::directory().string(), "2900017012509"});
    EXPECT_EQ(holder.line(), "0 " + std::to_string(id) + "\n");
    EXPECT_EQ(lock("2900017012509", mine, pluRef), Plu::CBlokujPlu::kFailed) << "held by another process";
    holder.send("\n");
    EXPECT_EQ(holder.line(), "released\n");

    EXPECT_EQ(lock("2900017012500", mine, pluRef), Plu::CBlokujPlu::kLocked) << "the text is read as a code";
    EXPECT_EQ(pluRef, id);
    TSessionHolder other = TSessionHolder::open();
    int otherRef = -1;
    EXPECT_EQ(lock("2900017012509", other, otherRef), Plu::CBlokujPlu::kFailed) << "held by another session";
    EXPECT_EQ(lock("12a", other, otherRef), Plu::CBlokujPlu::kFailed) << "no code at all";
    EXPECT_FALSE(other.InTransaction());
    mine.Rollback();
    EXPECT_EQ(lock("2900017012509", other, otherRef), Plu::CBlokujPlu::kLocked);
    other.Rollback();
}

}  // namespace
