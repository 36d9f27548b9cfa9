#include "apps/towary/register/TillListener.h"

#include "Core/CashRegister/Channel.h"
#include "Core/CashRegister/Record.h"
#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/tools/SystemError.h"
#include "apps/towary/register/PipeRemovalOnSignal.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

namespace Towary::Host {
namespace {

Orvel::TKey pipeKey(const char* name) {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "FrontOffice", "Potok komunikacji z kasą", name});
}

}  // namespace

struct TillListener::Channel {
    std::optional<PipeRemovalOnSignal> removal;
    std::filesystem::path fifo;  // empty for TCP
    boost::asio::io_context io;
    std::unique_ptr<boost::asio::ip::tcp::acceptor> acceptor;
};

TillListener::TillListener(std::optional<int> port) : channel_(new Channel) {
    std::unique_ptr<Channel> channel(channel_);
    const std::string host = pipeKey("Host").GetVal<std::string>();
    if (Core::CashRegister::isThisMachine(host)) {
        const auto path = Core::CashRegister::fifoPath(pipeKey("Nazwa").GetVal<std::string>());
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        // Before the pipe exists, so that no stop by a signal can leave it behind.
        channel_->removal.emplace(path);
        if (::mkfifo(path.c_str(), 0660) != 0 && errno != EEXIST)
            throw std::runtime_error("Nie można utworzyć potoku " + path.string() + " (" +
                                     Core::systemErrorText(errno) + ").");
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0 || !S_ISFIFO(status.st_mode))
            throw std::runtime_error("Ścieżka " + path.string() + " nie jest potokiem.");
        channel_->fifo = path;
    } else {
        const int chosen = port ? *port : Core::Setup::valueInRange(pipeKey("Port"), 1, 65535);
        boost::system::error_code error;
        auto acceptor = std::make_unique<boost::asio::ip::tcp::acceptor>(channel_->io);
        const boost::asio::ip::tcp::endpoint endpoint(boost::asio::ip::tcp::v4(),
                                                      static_cast<unsigned short>(chosen));
        acceptor->open(endpoint.protocol(), error);
        if (!error) acceptor->set_option(boost::asio::socket_base::reuse_address(true), error);
        if (!error) acceptor->bind(endpoint, error);
        if (!error) acceptor->listen(boost::asio::socket_base::max_listen_connections, error);
        if (error)
            throw std::runtime_error("Nie można nasłuchiwać na porcie TCP " + std::to_string(chosen) + " (" +
                                     Core::systemErrorText(error.value()) + ").");
        channel_->acceptor = std::move(acceptor);
    }
    channel.release();
}

TillListener::~TillListener() {
    std::error_code ignored;
    if (!channel_->fifo.empty()) std::filesystem::remove(channel_->fifo, ignored);
    delete channel_;
}

std::string TillListener::description() const {
    return channel_->fifo.empty() ? "port TCP " + std::to_string(port()) : "potok " + channel_->fifo.string();
}

int TillListener::port() const { return channel_->acceptor ? channel_->acceptor->local_endpoint().port() : 0; }

int TillListener::listen(std::optional<int> count, const std::function<void(const std::string&)>& line) {
    int records = 0;
    std::array<char, 65536> buffer{};
    do {
        Core::CashRegister::RecordReader reader;
        // One sender, from its open to its close.
        std::function<long()> read;
        int fd = -1;
        boost::asio::ip::tcp::socket socket(channel_->io);
        if (!channel_->fifo.empty()) {
            fd = ::open(channel_->fifo.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                throw std::runtime_error("Nie można otworzyć potoku " + channel_->fifo.string() + " (" +
                                         Core::systemErrorText(errno) + ").");
            read = [&] { return static_cast<long>(::read(fd, buffer.data(), buffer.size())); };
        } else {
            channel_->acceptor->accept(socket);
            read = [&] {
                boost::system::error_code error;
                const auto got = socket.read_some(boost::asio::buffer(buffer), error);
                return error ? 0L : static_cast<long>(got);
            };
        }
        bool broken = false;
        for (long got; !broken && (got = read()) != 0;) {
            if (got < 0) {
                if (errno == EINTR) continue;
                break;
            }
            reader.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
            try {
                while (auto record = reader.next()) {
                    ++records;
                    line(record->tag + " " + record->code + (record->crcValid ? "" : "  (błędna suma CRC)"));
                }
            } catch (const std::runtime_error& error) {
                line(error.what());
                broken = true;
            }
        }
        if (!broken && reader.incomplete() > 0)
            line("Niepełny rekord: " + std::to_string(reader.incomplete()) + " B na końcu przesyłki.");
        if (fd >= 0) ::close(fd);
    } while (count && records < *count);
    return records;
}

}  // namespace Towary::Host
