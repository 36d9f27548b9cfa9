// towary labels file DIR PRODUCT...: a label printer's file of the products
// (id, one label, name, article index, sale price) in the label directory.
// towary labels collector DIR [--stock] [--days N] [--rights] [--products P...]:
// the products' codes and prices sent as a collector file set (DIR/kolektor).

#include "Core/Kolektor/FileSet.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/devices/KolektorImpl.h"
#include "Modules/Towary/Tools/devices/Metki.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/products/ProductArgument.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

// The collector sets waiting in the store: a sending that wrote records adds one.
std::ptrdiff_t setCount() {
    std::error_code error;
    const std::filesystem::directory_iterator sets(Kolektor::directory(), error);
    return error ? 0 : std::distance(sets, std::filesystem::directory_iterator());
}

// A shelf label shows the price a product sells for, on one line of the file:
// no price (it would show 0.00), a price below zero, or a name that a tab or a
// line end would split (one given through towary sql) is refused.
void checkLabelOf(const TTowar& product, const std::string& named) {
    if (product.IsNullCenaSprzed())
        throw std::runtime_error("Towar " + named +
                                 " nie ma ceny sprzedaży, a etykieta pokazuje cenę. Nie zapisano pliku.");
    if (product.GetCenaSprzed() < 0)
        throw std::runtime_error("Towar " + named +
                                 " ma ujemną cenę sprzedaży, a etykieta pokazuje cenę. Nie zapisano pliku.");
    if (const auto control = Core::Utf8::firstControlCharacter(product.GetNazwa()))
        throw std::runtime_error("Nazwa towaru " + named + " zawiera znak sterujący " +
                                 Core::Utf8::codePointName(*control) +
                                 ", który rozdzieliłby wiersz etykiety. Nie zapisano pliku.");
}

}  // namespace

void addLabelsCommands(CLI::App& app, Context& context) {
    struct Arguments {
        std::vector<std::string> products;
        bool stock = false;
        std::string days;
        bool rights = false;
    };
    auto arguments = std::make_shared<Arguments>();
    auto* labels = app.add_subcommand("labels", "etykiety półkowe: pliki drukarki etykiet i kolektor danych");
    labels->require_subcommand(1);

    auto* file = labels->add_subcommand("file", "zapisuje plik drukarki etykiet z towarami PRODUCT");
    addStoreArgument(*file, context);
    file->add_option("PRODUCT", arguments->products, "towary: identyfikatory albo / i ich indeksy artykułów")->required();
    file->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            std::vector<TTowarPtr> products;
            for (const auto& product : arguments->products) {
                products.push_back(findProduct(product, TSessionHolder(), "etykiety drukuje się dla towarów."));
                checkLabelOf(*products.back(), product);
            }
            TMetki labelFile;
            labelFile.otworzPlik();
            const std::string path = labelFile.path();
            for (const auto& product : products)
                labelFile.dodajDoPliku(static_cast<int>(product->GetTowarRef()), 1, product->GetNazwa(),
                                       product->GetArtIndex(), product->GetCenaSprzed(), "", "");
            labelFile.zamknijPlik();
            out << "Etykiety: " << products.size() << ", plik " << path << "\n";
        };
    });

    auto* collector = labels->add_subcommand("collector", "wysyła kody i ceny towarów do kolektora danych");
    addStoreArgument(*collector, context);
    collector->add_flag("--stock", arguments->stock, "tylko towary na stanie");
    collector->add_option("--days", arguments->days, "tylko towary ze stanem z ostatnich N dni")
        ->check(numberArgument<int>("Liczba dni", 0, false, std::pair{0, 36525}));
    collector->add_flag("--rights", arguments->rights, "tylko grupy, do których użytkownik ma wpisy uprawnień");
    collector->add_option("--products", arguments->products, "tylko te towary: identyfikatory albo / i indeksy artykułów");
    collector->callback([&context, arguments] {
        context.job = [arguments](std::ostream& out) {
            Core::Kolektor::TowarConditionOptions options;
            options.stock = arguments->stock;
            if (!arguments->days.empty()) options.days = numberOf<int>(arguments->days);
            options.rights = arguments->rights;
            Towar::CSelectTowarRefGrupaIndex::result_type selection;
            options.selection = !arguments->products.empty();
            for (const auto& product : arguments->products)
                selection.products.push_back(
                    findProduct(product, TSessionHolder(), "wysyła się kody towarów.")->GetTowarRef());
            const auto before = setCount();
            Core::SingletonImplHolder::get<Etykiety::CKolektorImpl>().write({}, options, selection);
            out << (setCount() > before ? "Wysłano etykiety do kolektora (" + Kolektor::directory().string() + ").\n"
                                   : std::string("Brak etykiet do wysłania.\n"));
        };
    });
}

}  // namespace Towary::Host
