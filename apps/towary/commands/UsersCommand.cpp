// towary users password DIR USER: sets the password a clerk signs in to the
// web host with. At a terminal the password is asked twice without echo; in a
// script it is the first line of standard input.

#include "apps/towary/Command.h"
#include "apps/towary/users/UserPasswords.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

namespace Towary::Host {
namespace {

// Keeps what is typed off the screen while it lives.
class HiddenInput {
public:
    HiddenInput() : active_(tcgetattr(STDIN_FILENO, &saved_) == 0) {
        if (!active_) return;
        termios hidden = saved_;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    ~HiddenInput() {
        if (active_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    HiddenInput(const HiddenInput&) = delete;
    HiddenInput& operator=(const HiddenInput&) = delete;

private:
    termios saved_{};
    bool active_;
};

std::string readLine(const char* prompt, bool terminal) {
    if (terminal) std::cerr << prompt << std::flush;
    std::string line;
    {
        const HiddenInput hidden;
        if (!std::getline(std::cin, line)) throw std::runtime_error("Nie podano hasła.");
    }
    if (terminal) std::cerr << '\n';
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string askPassword() {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    std::string password = readLine("Nowe hasło: ", terminal);
    if (terminal && readLine("Powtórz hasło: ", terminal) != password)
        throw std::runtime_error("Podane hasła różnią się; hasła nie zmieniono.");
    return password;
}

}  // namespace

void addUsersCommands(CLI::App& app, Context& context) {
    auto* users = app.add_subcommand("users", "użytkownicy sklepu: hasła logowania do przeglądarki");
    users->require_subcommand(1);
    auto* password = users->add_subcommand(
        "password", "ustawia hasło użytkownika USER (identyfikator albo nazwa) do logowania w przeglądarce");
    addStoreArgument(*password, context);
    auto user = std::make_shared<std::string>();
    password->add_option("USER", *user, "identyfikator albo nazwa użytkownika")->required();
    password->callback([&context, user] {
        context.job = [user](std::ostream& out) {
            const TSessionHolder session;
            const auto found = Users::findUser(*user, session);
            if (!found) throw std::runtime_error("Nie ma użytkownika \"" + *user + "\".");
            Users::setPassword(found->ref, askPassword(), session);
            out << "Ustawiono hasło użytkownika " << found->ref << " (" << found->name << ").\n";
        };
    });
}

}  // namespace Towary::Host
