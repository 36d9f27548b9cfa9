#include "apps/towary/SampleSettings.h"

#include "Core/Setup/FileWatch.h"
#include "Core/tools/AtomicFile.h"

#include <string_view>

namespace Towary::Host {
namespace {

// A new setting joins this text, in the section of its branch of the key tree
// (sections follow the tree: "Parametry programu", then its branches), and the
// table of keys in docs/settings.md. Every key gets a comment; comments are Polish.
constexpr std::string_view kSample = R"(# Ustawienia sklepu: plik czytany przez towary i moduł narzędzi towarowych.
#
# Każde ustawienie to klucz w drzewie, wskazany ścieżką nazw, np.
#   Parametry programu / Towary / Indeksy / Departament
# Nazwy ze spacjami lub polskimi literami zapisuje się w cudzysłowie.
# Klucz, który ma zarówno wartość, jak i klucze podrzędne, jest tabelą,
# a jego własna wartość stoi w niej pod nazwą "@".
# Typy: liczba całkowita (int), liczba z kropką (double, np. 2.0),
# true/false (bool), tekst w cudzysłowie.
# Brak ustawienia jest błędem: nie ma wartości domyślnych.
# Zmiana pliku działa od następnego odczytu, bez ponownego uruchamiania.
# Zmieniać można w edytorze albo poleceniem: towary settings set KATALOG ŚCIEŻKA WARTOŚĆ

# ---------------------------------------------------------------------------
# Hierarchia towarowa
# ---------------------------------------------------------------------------
# Indeks grupy (sGrIndex) składa się z segmentów kolejnych poziomów; tu podaje
# się długość segmentu każdego poziomu (int) i nazwę poziomu pokazywaną
# użytkownikowi. Przy długościach 2, 2, 2, 3, 3 indeks grupy poziomu 1..5
# ma 2, 4, 6, 9 i 12 cyfr. Zmiana długości przy istniejących towarach
# psuje ich indeksy.

["Parametry programu".Towary.Indeksy.Departament]
"@" = 2                                 # długość segmentu poziomu 1
"Nazwa wyświetlana" = "Departament"

["Parametry programu".Towary.Indeksy.Sektor]
"@" = 2                                 # długość segmentu poziomu 2
"Nazwa wyświetlana" = "Sektor"

["Parametry programu".Towary.Indeksy.Sekcja]
"@" = 2                                 # długość segmentu poziomu 3
"Nazwa wyświetlana" = "Sekcja"

["Parametry programu".Towary.Indeksy.Rodzina]
"@" = 3                                 # długość segmentu poziomu 4
"Nazwa wyświetlana" = "Rodzina"

["Parametry programu".Towary.Indeksy.Podrodzina]
"@" = 3                                 # długość segmentu poziomu 5
"Nazwa wyświetlana" = "Podrodzina"

# Indeks artykułu (sArtIndex) towarów zakładanych w punkcie sprzedaży.
["Parametry programu"."Struktura organizacyjna"."Poziomy hierarchii"."Punkt sprzedaży".Towary.Indeksy]
"Długość" = 6                           # liczba cyfr indeksu artykułu, z zerami z lewej
"Prefiks sklepu" = false                # true: indeksy poprzedza identyfikator sklepu i "_"

# Długości indeksów artykułów, które sklep dopuszcza (tekst, liczby oddzielone
# przecinkami). Przy szukaniu towaru po "/123" indeks dopełnia się zerami
# z lewej do najdłuższej z nich i szuka indeksów, które się nim kończą.
["Parametry programu".Towary]
"Dozwolone długości indeksów" = "6"
"Długość krótkiej nazwy" = 20           # krótka nazwa na paragonie: opis niżej

# Krótka nazwa towaru (drukowana przez kasę na paragonie) ma zawsze tyle znaków,
# ile podaje "Długość krótkiej nazwy" (1-40); ostatni znak to litera fiskalna
# stawki VAT. Poza literami ASCII, cyframi i odstępami zostają w niej tylko
# znaki z listy "Dodatkowe dopuszczalne znaki"; każdy inny zmienia się w spację.
["Parametry programu".Towary."Krótka nazwa"]
"Dodatkowe dopuszczalne znaki" = "ąęółśżźćńĄĘÓŁŚŻŹĆŃ.,%-/"

# Towary wielocenowe: towar sprzedawany po kilku cenach naraz, zapisany jako
# wiersz grupujący (typ 9) i elementy, po jednym na cenę. Gdy włączone, import
# towarów (towary products import) zakłada, zamienia, przenosi i rozwiązuje
# takie towary według kolumny bWieleCen pliku; gdy wyłączone, każdy wiersz
# pliku zapisuje się tak, jak stoi.
["Parametry programu".Towary."Towary wielocenowe"]
"Włączone" = false

# ---------------------------------------------------------------------------
# Przeceny: blokada dodawania przez centralę
# ---------------------------------------------------------------------------
# "Blokada dodawania przecen" (bool): centrala zabrania sklepowi dodawać przeceny
# danego rodzaju. Wyjątki (tekst, pozycje oddzielone średnikiem, przecinkiem
# lub końcem wiersza; puste pomijane): grupy towarowe (przecenić można towary
# grup, których indeks zaczyna się od pozycji), indeksy towarów (cały indeks
# artykułu) i GUID-y list asortymentowych ważnych dzisiaj. Pusty tekst: brak wyjątków.
["Parametry programu".Towary.Przeceny."Przeceny automatyczne"."Blokada dodawania przecen"]
"@" = false
"Grupy towarowe - wyjątki" = ""
"Indeksy towarów - wyjątki" = ""
"Listy asortymentowe - wyjątki" = ""

["Parametry programu".Towary.Przeceny."Przeceny na wybrane sztuki"."Blokada dodawania przecen"]
"@" = false
"Grupy towarowe - wyjątki" = ""
"Indeksy towarów - wyjątki" = ""
"Listy asortymentowe - wyjątki" = ""

# ---------------------------------------------------------------------------
# Marże i ceny sprzedaży
# ---------------------------------------------------------------------------
["Parametry programu".Towary."Marże"]
"Marża KVR" = false                     # true: marża liczona od ceny sprzedaży brutto (KVR);
                                        # false: od ceny netto. Zmiana działa po ponownym uruchomieniu.
"Maksymalna marża procentowa" = 90.0    # wyższa marża zwykła (w procentach) jest przy liczeniu ceny
                                        # sprzedaży obcinana do tej; marża KVR po przeliczeniu na zwykłą

# Zaokrąglanie cen sprzedaży brutto. Gdy włączone są oba sposoby, towary grup
# z listy "Grupy" zaokrągla się do zera na ostatniej pozycji, a pozostałe do
# wartości psychologicznych. Każdy sposób działa tylko dla cen wyższych niż
# jego próg (w złotych).
["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do wartości psychologicznych"]
"Włączone" = true                       # końcówki 5 i 9 groszy: 12,31-12,35 -> 12,35; 12,36-12,39 -> 12,39; 12,30 -> 12,29
"Próg zaokrąglania" = 5.0               # ceny do 5,00 zł zostają bez zmian

["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do zera na ostatniej pozycji"]
"Włączone" = true                       # do pełnych dziesiątek groszy: 12,34 -> 12,30; 12,35 -> 12,40
"Próg zaokrąglania" = 20.0              # ceny do 20,00 zł zostają bez zmian

# Grupy, których towary zaokrągla się do zera na ostatniej pozycji: nazwą klucza
# jest początek indeksu grupy (sGrIndex), wartością opis dla ludzi. "01" obejmuje
# cały departament 01 i wszystkie jego grupy.
["Parametry programu".Towary."Zaokrąglanie cen sprzedaży"."Zaokrąglanie do zera na ostatniej pozycji".Grupy]
"02" = "Chemia"

# ---------------------------------------------------------------------------
# Odczyt wieczorny
# ---------------------------------------------------------------------------
# Kroki uruchamiane po kolei przez "towary evening": identyfikatory (GUID) akcji
# modułu, po jednym w wierszu (można też oddzielać ";" lub ","). Usunięcie
# wiersza wyłącza krok; pusty tekst: odczyt wieczorny nie ma kroków.
["Parametry programu"."Odczyt wieczorny"]
# {0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}: sprawdzenie i naprawa kodów PLU;
# {4A2E6412-2C67-4C24-A097-A78B3D182365}: zwolnienie nieużywanych numerów na wagach;
# {884036D8-8B1F-461C-AD8B-4BDB9ABD8787}: zaplanowane zmiany statusu towarów (na jutro i wcześniej);
# {D07F6324-07F1-4788-8400-0D49225D0C4A}: status 5 dla towarów o statusie 4 lub 8 bez zapasu;
# {3AB01777-7F9A-4134-B65C-515F0DDDFB38}: zaplanowane zmiany stawek VAT (na dzień odczytu i wcześniej).
Kroki = """
{0A9C7BD6-2D5C-4FAC-85EE-03BEA0E1C429}
{4A2E6412-2C67-4C24-A097-A78B3D182365}
{884036D8-8B1F-461C-AD8B-4BDB9ABD8787}
{D07F6324-07F1-4788-8400-0D49225D0C4A}
{3AB01777-7F9A-4134-B65C-515F0DDDFB38}
"""

# Zwolnienie numerów na wagach towarów, których nie sprzedano od podanej liczby
# dni (a nigdy nie sprzedanych: założonych tyle dni temu).
["Parametry programu"."Odczyt wieczorny".Akcje."Usuwanie nieużywanych numerów na wagach"]
"Włączone" = true                       # false: krok jest pomijany (na żądanie działa zawsze)
"Liczba dni" = 90                       # 0-36525

# ---------------------------------------------------------------------------
# Kody PLU
# ---------------------------------------------------------------------------
# Maski kodów PLU sklepu, sprawdzane w kolejności z pliku: kod dostaje typ
# pierwszej maski, do której pasuje, i jej postać kanoniczną (zera z lewej
# dopełnione albo usunięte, cyfra kontrolna sprawdzona lub policzona).
# Zasady z przykładami: docs/plu-codes.md. Każda maska to tabela z kluczami:
#   Tekst          cyfry, od których zaczynają się kody maski ("" - dowolne)
#   Typ            W towar ważony, S cena specjalna, P cena w kodzie (kody
#                  sklepu 20-29, 13 cyfr z cyfrą kontrolną); C kod artykułu
#                  (EAN-13, UPC-A, EAN-8); G krótki kod wewnętrzny sklepu
#   Długość        C: liczba cyfr kodu; G: najwięcej cyfr kodu;
#                  W, S, P: liczba cyfr numeru towaru po tekście maski
#   Uzupełnianie   true: numer wpisany przy szukaniu towaru uzupełnia się
#                  do kodu tej maski (tylko maski W)

["Parametry programu".Towary."Kody PLU".Maski."Krótkie"]
Tekst = ""
Typ = "G"
"Długość" = 5                           # kody 1-99999, zapisywane bez zer z lewej
"Uzupełnianie" = false

["Parametry programu".Towary."Kody PLU".Maski."Ważone"]
Tekst = "28"
Typ = "W"
"Długość" = 5                           # 28 NNNNN WWWWW K: numer towaru, waga w gramach, cyfra kontrolna
"Uzupełnianie" = true

["Parametry programu".Towary."Kody PLU".Maski.Specjalne]
Tekst = "29"
Typ = "S"
"Długość" = 5                           # 29 NNNNN ZZZGG K: numer, cena (złote, grosze), cyfra kontrolna
"Uzupełnianie" = false

["Parametry programu".Towary."Kody PLU".Maski.Cenowe]
Tekst = "2"
Typ = "P"
"Długość" = 6                           # 2 NNNNNN CCCCC K: pozostałe kody 20-27 z ceną w groszach
"Uzupełnianie" = false

["Parametry programu".Towary."Kody PLU".Maski."EAN-8"]
Tekst = ""
Typ = "C"
"Długość" = 8
"Uzupełnianie" = false

["Parametry programu".Towary."Kody PLU".Maski."EAN-13"]
Tekst = ""
Typ = "C"
"Długość" = 13                          # także UPC-A, zapisywany z zerem z lewej
"Uzupełnianie" = false

# ---------------------------------------------------------------------------
# Sklep
# ---------------------------------------------------------------------------
["Parametry programu".Sklep]
Identyfikator = "0001"                  # identyfikator sklepu (tekst), np. jego numer w sieci

# Parser dokumentów XML (np. cen alternatywnych warunków sprzedaży): "pugixml".
["Parametry programu".XML.Parser]
Id = "pugixml"

# ---------------------------------------------------------------------------
# Zamówienia
# ---------------------------------------------------------------------------
# Algorytmy zamawiania, które sklep oferuje: nazwa klucza to nazwa pokazywana
# użytkownikowi, wartość to numer algorytmu. Algorytm 1 korzysta z poziomów
# zapasu 1 i 2, algorytm 2 z poziomu 3, algorytmy 3-6 z żadnego ("towary
# ordering" je pokazuje). Musi tu być co najmniej jeden klucz.
["Parametry programu"."Zamówienia"."Dostępne algorytmy zamawiania"]
"Zapas minimalny i maksymalny" = 1
"Zapas docelowy" = 2

# Kanał do programu kasy (front office): Host "." lub nazwa tego komputera to
# potok (FIFO) o nazwie Nazwa w katalogu /run/towary (TOWARY_RUNTIME_DIR); inny
# komputer to połączenie TCP z jego portem Port (1-65535).
["Parametry programu".FrontOffice."Potok komunikacji z kasą"]
Host = "."
Nazwa = "kasa"
Port = 5001

# Moduł transmisji do kas. Tylko z modułem XmlBasedServerCommunication zmiana
# stawek VAT wysyła kasom konfigurację stawek dnia (plik w katalogu
# outbox/tills sklepu); przy innym kasy trzeba przeprogramować samemu.
["Parametry programu".FrontOffice."Serwer Kasowy"]
"Moduł transmisji do kasy" = "XmlBasedServerCommunication.bpl"

# ---------------------------------------------------------------------------
# Parametry sklepu
# ---------------------------------------------------------------------------
# Sekcje (kanały) wag, 1-9: nazwy pokazywane użytkownikowi i największy numer
# towaru w sekcji (numer wagowy to numer towaru w jego kodach ważonych).
["Parametry sklepu".Towary."Sekcje wagowe"]
"Kanał 1" = "Mięso"
"Kanał 2" = "Wędliny"
"Kanał 3" = "Sery"
"Kanał 4" = "Ryby"
"Kanał 5" = "Warzywa"
"Kanał 6" = "Owoce"
"Kanał 7" = "Pieczywo"
"Kanał 8" = "Słodycze"
"Kanał 9" = "Inne"
"Maksymalna liczba towarów w sekcji" = 9999   # 1-99999

# Pliki etykiet dla metkownicy: katalog (względny: w katalogu sklepu; rejestr
# komputera, klucz "Software\\Teskal\\Zurovoveru", ma pierwszeństwo),
# rozszerzenie plików i zestaw znaków, w którym metkownica czyta nazwy.
["Parametry sklepu".Metkowanie]
"Katalog plików metkownicy" = "metki"
Rozszerzenie = "txt"
"Strona kodowa" = "ISO-8859-2"

["Parametry sklepu".Towary.Sortowanie]
"Kolejność sortowania" = "sNazwa, sArtIndex"   # kolumny towaru oddzielone przecinkami, każda z asc lub desc

# Tło edytowanej komórki w oknach słowników (powody zwrotów, grupy
# prowizyjne): kolor jako liczba całkowita w zapisie Windows, 0x00BBGGRR
# (12648447 = 0xC0FFFF, jasnożółty).
["Parametry sklepu"."Wygląd".Kolory]
"Kolor tła edytowanego pola" = 12648447

# ---------------------------------------------------------------------------
# Warunki sprzedaży i zakupu: co sklep może dodawać i zmieniać
# ---------------------------------------------------------------------------
# Blokada dodawania lokalnych warunków sprzedaży (bool) z wyjątkami jak przy
# przecenach: grupy towarowe, indeksy towarów, GUID-y list asortymentowych
# ważnych dzisiaj (tekst, pozycje oddzielone ; , lub końcem wiersza).
["Parametry sklepu".Towary.Warunki."Sprzedaży".Edycja."Blokada dodawania lokalnych warunków sprzedaży"]
"@" = false
"Grupy towarowe - wyjątki" = ""
"Indeksy towarów - wyjątki" = ""
"Listy asortymentowe - wyjątki" = ""

# Warunki centralowe promocyjne (bool): zablokowane do edycji; wyjątek to
# promocje, których GUID zaczyna się od prefiksu (tekst, bez apostrofu).
["Parametry sklepu".Towary.Warunki."Sprzedaży".Edycja."Blokada edycji warunku centralowego promocyjnego"]
"@" = false
"Prefiks promocji pozwalający na edycję warunku" = "{L"

["Parametry sklepu".Towary.Warunki."Sprzedaży".Edycja]
"Blokada edycji rozpoczętego warunku centralowego promocyjnego" = false   # już obowiązujące
"Dopuszczalna edycja warunku centralowego promocyjnego" = true
"Dopuszczalna edycja warunku centralowego" = true
"Dozwolona zmiana ceny warunku centralowego tylko poniżej ceny sugerowanej" = false
"Warunek centralowy promocyjny - tylko zmiana ceny" = false
"Dozwolona ręczna edycja warunków dla towarów wielocenowych" = false

# Domyślny okres obowiązywania warunku sprzedaży (bool): nowy warunek trwa
# "Liczba dni" (int); przy "Blokada edycji zakresu datowego" (bool) zakresu dat
# nie można zmienić, poza towarami o indeksach z listy wyjątków (tekst).
["Parametry sklepu".Towary.Warunki."Sprzedaży".Edycja."Domyślny okres obowiązywania warunku"]
"@" = true
"Liczba dni" = 30

["Parametry sklepu".Towary.Warunki."Sprzedaży".Edycja."Domyślny okres obowiązywania warunku"."Blokada edycji zakresu datowego"]
"@" = false
"Indeksy towarów - wyjątki" = ""

# To samo dla warunków zakupu; okres może też pochodzić z atrybutu firmy
# (dostawcy): "Liczba dni z atrybutu firmy" (bool) i "Nazwa atrybutu" (tekst).
# Wartość atrybutu musi być liczbą całkowitą; firma bez atrybutu dostaje "Liczba dni".
["Parametry sklepu".Towary.Warunki.Zakupu.Edycja."Domyślny okres obowiązywania warunku"]
"@" = true
"Liczba dni" = 90

["Parametry sklepu".Towary.Warunki.Zakupu.Edycja."Domyślny okres obowiązywania warunku"."Blokada edycji zakresu datowego"]
"@" = false
"Indeksy towarów - wyjątki" = ""

["Parametry sklepu".Towary.Warunki.Zakupu.Edycja."Domyślny okres obowiązywania warunku"."Liczba dni z atrybutu firmy"]
"@" = false
"Nazwa atrybutu" = "Okres warunku zakupu"

# Etykiety półkowe towarów w promocji. Tryb (1-5) mówi, który wcześniejszy
# warunek sprzedaży daje cenę sprzed promocji:
#   1 droższy, nie promocyjny, kończący się dzień przed promocją
#   2 droższy, kończący się dzień przed promocją (także promocyjny)
#   3 ostatni nie promocyjny, o ile droższy
#   4 ostatni droższy nie promocyjny
#   5 ostatni droższy (także promocyjny)
["Parametry sklepu".Towary.Etykiety]
"Tryb wyświetlania poprzedniej ceny" = 1
"Domyślna jednostka porównawcza miary" = "kg"   # gdy towar nie ma jednostki przeliczeniowej
"Domyślny tekst promocyjny" = "Promocja"

# ---------------------------------------------------------------------------
# Inne
# ---------------------------------------------------------------------------
# Nazwa sieci handlowej sklepu. W sieciach "KVR" i "DRUMA" zmiana stawek VAT
# z 2011-01-01 raz zmienia też krótkie nazwy wszystkich towarów.
[Inne]
"Nazwa sieci" = "SKLEP"

# Ceny alternatywne, które kasa może zaproponować dla towaru (true/false), i
# grupy, których towary mogą je mieć: początki indeksów grup, jeden w wierszu.
[Inne."Obsługa wielu cen sprzedaży na kasie"]
"@" = true
"Dozwolone dla grup towarowych" = """
01
"""
)";

}  // namespace

void writeSampleSettings(const std::filesystem::path& file) {
    Core::AtomicFile out(file);
    out.stream() << kSample;
    out.commit();
    Core::Setup::noteSettingsWritten();
}

}  // namespace Towary::Host
