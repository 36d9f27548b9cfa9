#include "apps/web/HttpServer.h"

#include "apps/web/Replies.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/ssl.hpp>

#include <limits>
#include <stdexcept>
#include <thread>
#include <vector>

namespace Towary::Web {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
using tcp = asio::ip::tcp;

// A request the parser refused as broken, as opposed to a client that closed
// or fell silent, which is not answered.
bool malformed(const beast::error_code& error) {
    return error.category() == make_error_code(http::error::bad_method).category() &&
           error != http::error::end_of_stream && error != http::error::partial_message &&
           error != http::error::short_read;
}

// One client's connection: requests read and answered in turn until the
// client or a limit ends it. Stream is a tcp_stream or a TLS stream over one.
template <class Stream>
class Connection : public std::enable_shared_from_this<Connection<Stream>> {
public:
    Connection(Stream stream, const HttpServer::Handler& handler, const Limits& limits, Peer peer)
        : stream_(std::move(stream)), handler_(handler), limits_(limits), peer_(std::move(peer)) {}

    void start() {
        if constexpr (kSecure) {
            beast::get_lowest_layer(stream_).expires_after(limits_.idle);
            stream_.async_handshake(asio::ssl::stream_base::server,
                                    [self = this->shared_from_this()](beast::error_code error) {
                                        if (!error) self->readHead();
                                    });
        } else {
            readHead();
        }
    }

private:
    static constexpr bool kSecure = !std::is_same_v<Stream, beast::tcp_stream>;

    void readHead() {
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(limits_.head));
        // The body's limit depends on the target: set once the head is read.
        // (Not boost::none: this Beast compares a length with it as if it were 0.)
        parser_->body_limit(std::numeric_limits<std::uint64_t>::max());
        beast::get_lowest_layer(stream_).expires_after(limits_.idle);
        http::async_read_header(stream_, buffer_, *parser_,
                                [self = this->shared_from_this()](beast::error_code error, std::size_t) {
                                    self->onHead(error);
                                });
    }

    void onHead(beast::error_code error) {
        if (error == http::error::header_limit) return refuse(http::status::request_header_fields_too_large,
                                                              "Nagłówki żądania są za duże.");
        if (malformed(error)) return refuseMalformed();
        if (error) return close();
        const auto fileLimit = limits_.fileBody ? limits_.fileBody(parser_->get().base()) : std::nullopt;
        const std::size_t limit = fileLimit.value_or(limits_.body);
        const auto length = parser_->content_length();
        if (length && *length > limit) return refuseBody();
        parser_->body_limit(limit);
        http::async_read(stream_, buffer_, *parser_,
                         [self = this->shared_from_this()](beast::error_code bodyError, std::size_t) {
                             self->onBody(bodyError);
                         });
    }

    void onBody(beast::error_code error) {
        if (error == http::error::body_limit) return refuseBody();
        if (malformed(error)) return refuseMalformed();
        if (error) return close();
        const Request request = parser_->release();
        Response response;
        try {
            response = handler_(request, peer_);
        } catch (const std::exception&) {
            response = refusal(http::status::internal_server_error, "Wewnętrzny błąd serwera.");
        }
        response.version(request.version());
        if (!request.keep_alive()) response.keep_alive(false);
        // An answer to HEAD is its head alone, Content-Length kept: a body would be read as the next answer.
        if (request.method() == http::verb::head) response.body().clear();
        write(std::move(response));
    }

    void refuseBody() { refuse(http::status::payload_too_large, "Treść żądania jest za duża."); }
    void refuseMalformed() { refuse(http::status::bad_request, "Błędne żądanie HTTP."); }

    void refuse(http::status status, const std::string& message) {
        auto response = refusal(status, message);
        response.keep_alive(false);
        write(std::move(response));
    }

    void write(Response response) {
        response_ = std::make_shared<Response>(std::move(response));
        beast::get_lowest_layer(stream_).expires_after(limits_.idle);
        http::async_write(stream_, *response_,
                          [self = this->shared_from_this()](beast::error_code error, std::size_t) {
                              if (error || !self->response_->keep_alive()) return self->close();
                              self->readHead();
                          });
    }

    void close() {
        beast::error_code ignored;
        if constexpr (kSecure) {
            beast::get_lowest_layer(stream_).expires_after(std::chrono::seconds(2));
            stream_.async_shutdown([self = this->shared_from_this()](beast::error_code) {
                beast::error_code ignoredToo;
                beast::get_lowest_layer(self->stream_).socket().shutdown(tcp::socket::shutdown_both, ignoredToo);
            });
        } else {
            stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        }
    }

    Stream stream_;
    const HttpServer::Handler& handler_;
    const Limits& limits_;
    Peer peer_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    std::shared_ptr<Response> response_;
};

}  // namespace

// Handlers in the context's queue point at the state without owning it: the
// state owns the context, and a handler that owned the state would keep both
// alive for ever. Members are destroyed in reverse: the context (with the
// connections its pending handlers hold) before what they refer to.
struct HttpServer::State {
    std::optional<asio::ssl::context> tls;
    Handler handler;
    Limits limits;
    asio::io_context io;
    tcp::acceptor acceptor{io};
    asio::steady_timer retry{io};

    void accept() {
        acceptor.async_accept(asio::make_strand(io), [self = this](beast::error_code error,
                                                                                 tcp::socket socket) {
            if (error == asio::error::operation_aborted) return;
            if (!error) return self->serve(std::move(socket)), self->accept();
            // Out of descriptors or memory: accepting again at once would spin a core until some free.
            self->retry.expires_after(std::chrono::milliseconds(100));
            self->retry.async_wait([self](beast::error_code waitError) {
                if (waitError != asio::error::operation_aborted) self->accept();
            });
        });
    }

    void serve(tcp::socket socket) {
        beast::error_code error;
        const auto remote = socket.remote_endpoint(error);
        if (error) return;
        Peer peer{remote.address().to_string(), tls.has_value()};
        if (tls)
            std::make_shared<Connection<beast::ssl_stream<beast::tcp_stream>>>(
                beast::ssl_stream<beast::tcp_stream>(std::move(socket), *tls), handler, limits, std::move(peer))
                ->start();
        else
            std::make_shared<Connection<beast::tcp_stream>>(beast::tcp_stream(std::move(socket)), handler, limits,
                                                            std::move(peer))
                ->start();
    }
};

HttpServer::HttpServer(const std::string& address, unsigned short port, Handler handler, Limits limits,
                       const std::optional<TlsFiles>& tls)
    : state_(std::make_unique<State>()) {
    state_->handler = std::move(handler);
    state_->limits = limits;
    if (tls) {
        try {
            state_->tls.emplace(asio::ssl::context::tls_server);
            state_->tls->set_options(asio::ssl::context::default_workarounds | asio::ssl::context::no_sslv2 |
                                     asio::ssl::context::no_sslv3 | asio::ssl::context::no_tlsv1 |
                                     asio::ssl::context::no_tlsv1_1);
            state_->tls->use_certificate_chain_file(tls->certificate.string());
            state_->tls->use_private_key_file(tls->key.string(), asio::ssl::context::pem);
        } catch (const std::exception&) {
            throw std::runtime_error("Nie można odczytać certyfikatu TLS " + tls->certificate.string() +
                                     " ani klucza " + tls->key.string() + ".");
        }
    }
    try {
        const tcp::endpoint endpoint(asio::ip::make_address(address), port);
        state_->acceptor.open(endpoint.protocol());
        state_->acceptor.set_option(asio::socket_base::reuse_address(true));
        state_->acceptor.bind(endpoint);
        state_->acceptor.listen(asio::socket_base::max_listen_connections);
    } catch (const std::exception&) {
        throw std::runtime_error("Nie można nasłuchiwać pod adresem " + address + ":" + std::to_string(port) +
                                 " (adres zły albo zajęty).");
    }
}

HttpServer::~HttpServer() { stop(); }

unsigned short HttpServer::port() const { return state_->acceptor.local_endpoint().port(); }

void HttpServer::run(int threads) {
    state_->accept();
    std::vector<std::thread> pool;
    for (int i = 1; i < threads; ++i) pool.emplace_back([this] { state_->io.run(); });
    state_->io.run();
    for (auto& thread : pool) thread.join();
}

void HttpServer::stop() { state_->io.stop(); }

}  // namespace Towary::Web
