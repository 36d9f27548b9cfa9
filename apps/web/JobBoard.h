#pragma once
// The long jobs the web host runs for a clerk (the PLU check, the evening
// run): each a `towary --dialogs json` command in a process of its own, with
// its own module and store session, so that it never holds the server's
// turn in the module; the store's locks keep it safe beside the server. The
// board keeps each job's lines, its pending question and its result for the
// page that polls it, relays the page's answers, and watches two limits: a
// question left unanswered gets the module's "no", and a job no page has
// asked about for a while is ended, with what it had not committed rolled
// back. One job of each kind runs at a time. Safe to use from several threads.

#include "apps/web/TowaryChild.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace Towary::Web {

struct JobLimits {
    std::chrono::seconds answerTime{300};  // a question unanswered this long gets "no"
    std::chrono::seconds pageGone{30};     // a job unwatched this long is ended
    std::chrono::seconds longestPoll{1};   // a poll waits this long for something new
};

class JobBoard {
public:
    explicit JobBoard(JobLimits limits = {});
    // Ends the jobs still running and waits for them.
    ~JobBoard();
    JobBoard(const JobBoard&) = delete;
    JobBoard& operator=(const JobBoard&) = delete;

    // Starts `args` (in the working directory, when given) as the job of
    // `kind` for the clerk; throws Refused (409) with `busy` and who started
    // it when a job of that kind still runs.
    void start(const std::string& kind, const std::string& busy, int userRef, const std::string& userName,
               const std::vector<std::string>& args, const std::filesystem::path& workingDirectory = {});
    // The job of the kind as a page shows it, its lines from number `from` on,
    // after waiting up to longestPoll for a line past them or its end; null
    // when none was started. Counts as the page watching it.
    nlohmann::json watch(const std::string& kind, std::size_t from);
    // Relays the page's answer to the pending question numbered `question`,
    // with the file the server chose for a file dialog's; throws Refused
    // (409) when that question is not pending.
    void answer(const std::string& kind, int question, const nlohmann::json& answer,
                const std::optional<std::filesystem::path>& file = std::nullopt);
    // Ends the running job of the kind, if any.
    void cancel(const std::string& kind);

private:
    using Clock = std::chrono::steady_clock;
    struct Job;

    void read(Job& job);
    void watchLimits();
    void endJob(Job& job, const std::string& why);

    JobLimits limits_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, std::shared_ptr<Job>> jobs_;
    int runs_ = 0;
    bool closing_ = false;
    std::thread watcher_;
};

}  // namespace Towary::Web
