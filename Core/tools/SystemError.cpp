#include "Core/tools/SystemError.h"

#include <cerrno>

namespace Core {

std::string systemErrorText(int error) {
    switch (error) {
        case ENOSPC: return "brak miejsca na dysku";
        case EDQUOT: return "przekroczony przydział miejsca na dysku";
        case EACCES:
        case EPERM: return "brak uprawnień";
        case EROFS: return "system plików jest tylko do odczytu";
        case ENOENT: return "brak takiego pliku lub katalogu";
        case ENOTDIR: return "część ścieżki nie jest katalogiem";
        case EISDIR: return "ścieżka wskazuje katalog";
        case EEXIST: return "plik już istnieje";
        case ENAMETOOLONG: return "za długa nazwa pliku";
        case EMFILE:
        case ENFILE: return "za dużo otwartych plików";
        case EFBIG: return "plik jest za duży";
        case EPIPE: return "odbiorca danych zamknął połączenie";
        case EIO: return "błąd wejścia-wyjścia urządzenia";
        default: return "błąd systemu nr " + std::to_string(error);
    }
}

}  // namespace Core
