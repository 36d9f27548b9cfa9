#include "tests/ui/DictionaryStore.h"

#include "tests/support/SettingsFile.h"

namespace {

bool writeSettings() {
    TestSupport::replaceSettingsFile("[\"Parametry sklepu\".\"Wygląd\".Kolory]\n"
                                     "\"Kolor tła edytowanego pola\" = 12648447\n");
    return true;
}

}  // namespace

DictionaryStore::DictionaryStore() : settingsWritten_(writeSettings()) {}
