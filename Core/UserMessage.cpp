#include "Core/UserMessage.h"

#include "Core/Database/DatabaseError.h"
#include "Core/Debug/Debug.h"
#include "Core/tools/SystemError.h"

#include <sqlite3.h>

#include <filesystem>
#include <string_view>

namespace Core {
namespace {

// The columns a constraint names after its kind: "plu.sPLU" of "UNIQUE constraint failed: plu.sPLU".
std::string constrainedColumns(const std::string& reason) {
    const auto colon = reason.find(": ");
    return colon == std::string::npos ? std::string() : " (" + reason.substr(colon + 2) + ")";
}

std::string constraintMessage(const DBKernel::DatabaseError& error) {
    const std::string nothing = " Nic nie zapisano.";
    switch (error.code()) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return "Zapis odrzucony: w sklepie jest już wiersz o tej samej wartości" +
                   constrainedColumns(error.reason()) + ", a może być tylko jeden." + nothing;
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            return "Zapis odrzucony: odwołuje się do wiersza, którego w sklepie nie ma, albo usuwa wiersz, którego "
                   "sklep jeszcze używa." + nothing;
        case SQLITE_CONSTRAINT_TRIGGER:
            // The store's own rule refused the write, and its reason is already written for a clerk.
            return error.reason() + nothing;
        case SQLITE_CONSTRAINT_NOTNULL:
            return "Zapis odrzucony: brak wymaganej wartości" + constrainedColumns(error.reason()) + "." + nothing;
        default:
            return "Zapis odrzucony: naruszałby regułę bazy danych sklepu." + nothing;
    }
}

// The Polish text of a failure of the server's own (`server`: where it is), not
// of the store's file; "" when it is one both engines share.
std::string serverMessage(int code, const std::string& server) {
    switch (code & 0xFF) {
        case SQLITE_CANTOPEN:
            return "Nie można połączyć się z serwerem bazy danych sklepu " + server +
                   ": serwer nie odpowiada. Sprawdź, czy działa i czy jest z nim połączenie sieciowe, i spróbuj "
                   "ponownie.";
        case SQLITE_AUTH:
            return "Serwer bazy danych sklepu " + server +
                   " odmówił połączenia: sprawdź nazwę użytkownika, hasło (baza.toml albo ~/.pgpass) i nazwę bazy "
                   "danych.";
        case SQLITE_PERM:
            return "Serwer bazy danych sklepu " + server +
                   " odmówił dostępu: użytkownik nie ma do tego uprawnień. Poproś administratora serwera o "
                   "uprawnienia.";
        case SQLITE_IOERR:
            return "Połączenie z serwerem bazy danych sklepu " + server +
                   " zostało przerwane (serwer uruchomiono ponownie albo zerwała się sieć); zmiany niezatwierdzone "
                   "przed przerwaniem nie zostały zapisane. Spróbuj ponownie.";
        case SQLITE_READONLY:
            return "Bazę danych sklepu na serwerze " + server +
                   " można tylko czytać. Polecenia, które tylko czytają (find, products export, products show), "
                   "działają; aby zmieniać sklep, poproś administratora serwera o prawo zapisu.";
        case SQLITE_FULL:
            return "Na serwerze bazy danych sklepu " + server +
                   " brak miejsca na dysku; nic nie zapisano. Poproś administratora serwera o zwolnienie miejsca.";
        default: return {};
    }
}

// The Polish text of a failure the engine reported; "" when it is none a user causes.
std::string databaseMessage(const DBKernel::DatabaseError& error) {
    if (error.busy())
        return "Sklep jest zajęty: inne polecenie towary zapisuje teraz w jego bazie danych. Poczekaj, aż się "
               "zakończy, i spróbuj ponownie.";
    if (!error.server().empty()) {
        if (auto message = serverMessage(error.code(), error.server()); !message.empty()) return message;
    }
    switch (error.code() & 0xFF) {
        case SQLITE_READONLY:
            return "Sklep można tylko czytać: brak uprawnień do zapisu jego bazy danych (towary.db) lub jej katalogu. "
                   "Polecenia, które tylko czytają (find, products export, products show), działają; aby zmieniać "
                   "sklep, nadaj uprawnienia do zapisu.";
        case SQLITE_FULL:
            return "Brak miejsca na dysku: bazy danych sklepu nie można powiększyć. Zwolnij miejsce i spróbuj "
                   "ponownie; nic nie zapisano.";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "Plik bazy danych sklepu (towary.db) jest uszkodzony albo nie jest bazą danych. Odtwórz go z kopii "
                   "zapasowej.";
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "Nie można otworzyć bazy danych sklepu (towary.db): brak dostępu do pliku lub jego katalogu. "
                   "Sprawdź uprawnienia.";
        case SQLITE_IOERR:
            return "Błąd odczytu lub zapisu pliku bazy danych sklepu (towary.db) na dysku. Sprawdź dysk i spróbuj "
                   "ponownie.";
        case SQLITE_CONSTRAINT: return constraintMessage(error);
        case SQLITE_TOOBIG:
            return "Wartość lub wynik jest za duży dla bazy danych sklepu.";
        case SQLITE_RANGE:
            return "Wartość lub wynik jest poza zakresem, jaki przyjmuje baza danych sklepu (za duża albo za mała "
                   "liczba lub data). Sprawdź podane wartości; nic nie zapisano.";
        case SQLITE_MISMATCH:
            return "Baza danych sklepu nie przyjęła wartości: nie jest poprawną liczbą, datą ani wartością tego "
                   "rodzaju, jakiego wymaga. Sprawdź podane wartości; nic nie zapisano.";
        default: break;
    }
    const std::string_view reason = error.reason();
    if (reason.find("pattern too complex") != std::string_view::npos)
        return "Szukany tekst jest za długi; skróć go.";
    return {};
}

}  // namespace

std::string userMessage(const std::exception& error) {
    std::string message;
    if (const auto* database = dynamic_cast<const DBKernel::DatabaseError*>(&error))
        message = databaseMessage(*database);
    else if (const auto* file = dynamic_cast<const std::filesystem::filesystem_error*>(&error))
        message = "Błąd dostępu do pliku lub katalogu " + file->path1().string() + ": " +
                  systemErrorText(file->code().value()) + ". Sprawdź ścieżkę i uprawnienia.";
    // Statements support staff type (towary sql) fail with the engine's reason, which they need.
    if (message.empty()) return error.what();
    Debug::logLine(error.what(), SrcInfo{"Core/UserMessage", __LINE__, "userMessage"});
    return message;
}

}  // namespace Core
