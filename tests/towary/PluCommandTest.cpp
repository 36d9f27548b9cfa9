#include "tests/support/TowaryStore.h"

namespace {

class PluCommand : public TestSupport::TowaryStore {};

TEST_F(PluCommand, CanonicalPrintsEachCodeAndFailsForTheRefusedOnes) {
    expectOutput(run("plu", {"canonical", "036000291452", "0017", "2800017000005"}),
                 "\"036000291452\" -> 0036000291452 (C: kod artykułu)\n"
                 "\"0017\" -> 17 (G: krótki kod sklepu)\n"
                 "\"2800017000005\" -> 2800017000004 (W: towar ważony)\n");

    const auto mixed = run("plu", {"canonical", "5901234123457", "12a4"});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_EQ(mixed.out, "\"5901234123457\" -> 5901234123457 (C: kod artykułu)\n");
    EXPECT_EQ(mixed.err,
              "towary: Kod PLU \"12a4\" zawiera znaki inne niż cyfry.\ntowary: Nie rozpoznano kodów: 1 z 2.\n");
    expectBadUsage(run("plu", {"canonical"}), "CODE");
}

}  // namespace
