#include "apps/web/Serve.h"

#include "apps/web/HttpServer.h"
#include "apps/web/WebApp.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <optional>
#include <thread>

namespace Towary::Web {

void serve(const ServeOptions& options, std::ostream& out) {
    std::optional<TlsFiles> tls;
    if (!options.certificate.empty()) tls = TlsFiles{options.certificate, options.key};
    // A job's process that ended must not end the server when its answer is written.
    std::signal(SIGPIPE, SIG_IGN);
    WebAppOptions appOptions;
    appOptions.pages = options.pages.empty() ? std::filesystem::path(TOWARY_WEB_PAGES) : options.pages;
    WebApp webApp(appOptions);
    Limits limits;
    limits.fileBody = [&webApp](const RequestHead& head) { return webApp.fileBodyLimit(head); };
    HttpServer server(
        options.address, options.port,
        [&webApp](const Request& request, const Peer& peer) { return webApp.handle(request, peer); }, limits, tls);
    // The signals end the server from a thread of their own, so that the pool's threads finish their requests.
    boost::asio::io_context signals;
    boost::asio::signal_set stopSignals(signals, SIGINT, SIGTERM);
    stopSignals.async_wait([&server](const boost::system::error_code&, int) { server.stop(); });
    std::thread waiter([&signals] { signals.run(); });
    out << "Serwer zaplecza nasłuchuje pod adresem " << (tls ? "https://" : "http://") << options.address << ':'
        << server.port() << "/\n"
        << std::flush;
    server.run(options.threads);
    signals.stop();
    waiter.join();
}

}  // namespace Towary::Web

extern "C" void towaryServe(const Towary::Web::ServeOptions& options, std::ostream& out) {
    Towary::Web::serve(options, out);
}
