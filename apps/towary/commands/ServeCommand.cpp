// towary serve DIR [--listen ADDRESS:PORT] [--tls-cert F --tls-key F]: the
// back office in a web browser, over the store, until SIGINT or SIGTERM. The
// web host is loaded from its library only here.

#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/web/Serve.h"

#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

namespace Towary::Host {
namespace {

struct ServeArguments {
    std::string listen = "127.0.0.1:8080";
    std::string certificate;
    std::string key;
    std::string pages;
    int threads = 8;
};

// The web host's library lies beside the program, as the module does. Never
// closed: the server's threads run its code until the process ends.
decltype(&towaryServe) loadWebHost() {
    const auto library = std::filesystem::canonical("/proc/self/exe").parent_path() / "libWebHost.so";
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) throw std::runtime_error(std::string("Nie można załadować serwera WWW: ") + dlerror());
    const auto serve = reinterpret_cast<decltype(&towaryServe)>(dlsym(handle, "towaryServe"));
    if (serve == nullptr) throw std::runtime_error("Biblioteka " + library.string() + " nie ma funkcji towaryServe.");
    return serve;
}

std::pair<std::string, unsigned short> addressAndPort(const std::string& listen) {
    const auto colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0)
        throw std::runtime_error("--listen przyjmuje ADRES:PORT, na przykład 127.0.0.1:8080; podano " + listen + ".");
    const auto port = numberOf<int>(listen.substr(colon + 1));
    if (port < 0 || port > 65535) throw std::runtime_error("Port musi leżeć w zakresie od 0 do 65535.");
    auto address = listen.substr(0, colon);
    if (address.size() > 2 && address.front() == '[' && address.back() == ']') address = address.substr(1, address.size() - 2);
    return {address, static_cast<unsigned short>(port)};
}

}  // namespace

void addServeCommand(CLI::App& app, Context& context) {
    auto* command = app.add_subcommand("serve", "zaplecze sklepu w przeglądarce: serwer WWW nad sklepem DIR");
    addStoreArgument(*command, context);
    auto options = std::make_shared<ServeArguments>();
    command->add_option("--listen", options->listen, "adres i port serwera (domyślnie 127.0.0.1:8080; port 0: wolny)");
    auto* certificate = command->add_option("--tls-cert", options->certificate, "certyfikat TLS (PEM): serwer HTTPS");
    auto* key = command->add_option("--tls-key", options->key, "klucz prywatny certyfikatu TLS (PEM)");
    certificate->needs(key);
    key->needs(certificate);
    command->add_option("--threads", options->threads, "liczba wątków obsługi żądań (domyślnie 8)")
        ->check(numberArgument<int>("Liczba wątków", 0, false, std::pair{1, 64}));
    command->add_option("--pages", options->pages, "katalog stron (domyślnie strony z repozytorium)");
    command->callback([&context, options] {
        context.job = [options](std::ostream& out) {
            const auto [address, port] = addressAndPort(options->listen);
            loadWebHost()(Web::ServeOptions{address, port, options->certificate, options->key, options->pages,
                                            options->threads},
                          out);
        };
    });
}

}  // namespace Towary::Host
