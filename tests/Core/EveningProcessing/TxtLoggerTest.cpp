#include "Core/Log/TxtLogger.h"

#include <gtest/gtest.h>

TEST(TxtLogger, HeadersStandLinesAndErrorsAreIndentedAsOneBlock) {
    Core::CStringLogWriter writer;
    Core::CTxtLogger logger(writer);
    logger.logHeader("Znalezione błędne kody plu:");
    logger.logLine("0012 Mleko 000001");
    logger.logError("Liczba kodów nieusuniętych z powodu powiązań - 2\n0013 Chleb 000002");
    logger.logHeader("Podsumowanie:\nkoniec");
    EXPECT_EQ(writer.text(),
              "Znalezione błędne kody plu:\n"
              "  0012 Mleko 000001\n"
              "  BŁĄD: Liczba kodów nieusuniętych z powodu powiązań - 2\n"
              "  0013 Chleb 000002\n"
              "Podsumowanie:\n"
              "koniec\n");
}
