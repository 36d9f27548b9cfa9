// towary serve DIR [--listen ADDRESS:PORT] [--tls-cert F --tls-key F]: the
// back office in a web browser, over the store, until SIGINT or SIGTERM.

#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/web/HttpServer.h"
#include "apps/web/WebApp.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>

namespace Towary::Host {
namespace {

struct ServeOptions {
    std::string listen = "127.0.0.1:8080";
    std::string certificate;
    std::string key;
    std::string pages = TOWARY_WEB_PAGES;
    int threads = 8;
};

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
    auto options = std::make_shared<ServeOptions>();
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
            std::optional<Web::TlsFiles> tls;
            if (!options->certificate.empty()) tls = Web::TlsFiles{options->certificate, options->key};
            // A job's process that ended must not end the server when its answer is written.
            std::signal(SIGPIPE, SIG_IGN);
            Web::WebAppOptions appOptions;
            appOptions.pages = options->pages;
            Web::WebApp webApp(appOptions);
            Web::HttpServer server(
                address, port, [&webApp](const Web::Request& request, const Web::Peer& peer) {
                    return webApp.handle(request, peer);
                },
                {}, tls);
            // The signals end the server from a thread of their own, so that the pool's threads finish their requests.
            boost::asio::io_context signals;
            boost::asio::signal_set stopSignals(signals, SIGINT, SIGTERM);
            stopSignals.async_wait([&server](const boost::system::error_code&, int) { server.stop(); });
            std::thread waiter([&signals] { signals.run(); });
            out << "Serwer zaplecza nasłuchuje pod adresem " << (tls ? "https://" : "http://") << address << ':'
                << server.port() << "/\n"
                << std::flush;
            server.run(options->threads);
            signals.stop();
            waiter.join();
        };
    });
}

}  // namespace Towary::Host
