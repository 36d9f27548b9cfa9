#include "tests/ui/DictionaryStore.h"

#include "Core/Database/Query.h"
#include "tests/support/SettingsFile.h"

namespace {

bool writeSettings() {
    TestSupport::replaceSettingsFile("[\"Parametry sklepu\".\"Wygląd\".Kolory]\n"
                                     "\"Kolor tła edytowanego pola\" = 12648447\n");
    return true;
}

}  // namespace

DictionaryStore::DictionaryStore() : settingsWritten_(writeSettings()) {}

void DictionaryStore::run(const std::string& statement) { DBKernel::Sql::Command(statement).execute(); }

std::string DictionaryStore::value(const std::string& statement) {
    DBKernel::Sql::OpenedQuery query(statement);
    return query.empty() ? "<none>" : query.field(0).asString();
}
