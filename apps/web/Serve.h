#pragma once
// The web host as `towary serve` runs it: the server and the application over
// the current store, until SIGINT or SIGTERM. The web host is a library of its
// own (libWebHost.so, beside towary), loaded by the serve command alone: its
// TLS and HTTP libraries would otherwise cost every other command's start-up.

#include <filesystem>
#include <ostream>
#include <string>

namespace Towary::Web {

struct ServeOptions {
    std::string address = "127.0.0.1";
    unsigned short port = 8080;  // 0: one the system chooses
    std::filesystem::path certificate;  // with key: HTTPS
    std::filesystem::path key;
    std::filesystem::path pages;  // empty: the repository's pages
    int threads = 8;
};

// Serves; prints the address it listens on as its first line. Throws
// std::runtime_error, in Polish, when it cannot start.
void serve(const ServeOptions& options, std::ostream& out);

}  // namespace Towary::Web

// What the library gives the serve command, found by name.
extern "C" void towaryServe(const Towary::Web::ServeOptions& options, std::ostream& out);
