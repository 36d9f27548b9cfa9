#pragma once
// An HTTP/1.1 server (Boost.Beast) on a pool of threads, plain or under TLS.
// A request's head and body are read within limits; a request past them is
// refused (431 for the head, 413 for the body, told by its Content-Length
// before the body is read, or as a chunked body passes it) and its
// connection closed. Every
// complete request goes to one handler, which may block: it runs on the
// pool's thread of that connection.

#include <boost/beast/http.hpp>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Towary::Web {

namespace http = boost::beast::http;
using Request = http::request<http::string_body>;
using RequestHead = http::request_header<>;
using Response = http::response<http::string_body>;

// Where a request came from.
struct Peer {
    std::string address;  // the client's IP address, as text
    bool secure = false;  // the connection is under TLS
};

struct Limits {
    std::size_t head = 8 * 1024;     // request line and headers
    std::size_t body = 1024 * 1024;  // the body, whatever its encoding
    // The larger limit of a request that may send a file (an upload), by its
    // head; none for the others.
    std::function<std::optional<std::size_t>(const RequestHead& head)> fileBody;
    std::chrono::seconds idle{30};  // a connection silent this long is closed
};

struct TlsFiles {
    std::filesystem::path certificate;  // PEM chain
    std::filesystem::path key;          // PEM private key
};

class HttpServer {
public:
    using Handler = std::function<Response(const Request&, const Peer&)>;

    // Binds the address and port (0: one the system chooses). Throws
    // std::runtime_error, in Polish, when the address cannot be bound or the
    // TLS files cannot be read.
    HttpServer(const std::string& address, unsigned short port, Handler handler, Limits limits = {},
               const std::optional<TlsFiles>& tls = std::nullopt);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // The port bound.
    unsigned short port() const;
    // Serves on `threads` threads until stop(); returns when they have ended.
    void run(int threads);
    // Ends run() from any thread (or a signal handler's asio callback).
    void stop();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace Towary::Web
