#include "apps/web/JobBoard.h"

#include "apps/web/Replies.h"

#include <algorithm>
#include <ctime>
#include <optional>

namespace Towary::Web {
namespace {

// The wall-clock time a job started, as a clerk reads it: "14:05".
std::string timeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[8];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

bool isTickedList(const nlohmann::json& ticked) {
    return ticked.is_array() && std::all_of(ticked.begin(), ticked.end(), [](const auto& id) { return id.is_string(); });
}

// Only what a question may be answered with reaches the child: a yes or no,
// a row, ticked ids, and a file's path only as the server chose it, never as
// the page wrote it. A field of another shape is refused, not read as "no".
nlohmann::json relayedAnswer(const nlohmann::json& answer, const std::optional<std::filesystem::path>& file) {
    const auto refuse = [] {
        throw Refused(http::status::bad_request,
                      "Odpowiedź na pytanie podaje się jako tak lub nie, numer wiersza albo listę zaznaczonych pozycji.");
    };
    nlohmann::json relayed = nlohmann::json::object();
    if (file) relayed["file"] = file->string();
    if (const auto yes = answer.find("answer"); yes != answer.end()) {
        if (!yes->is_boolean()) refuse();
        relayed["answer"] = *yes;
    }
    if (const auto row = answer.find("row"); row != answer.end()) {
        if (!row->is_number_unsigned()) refuse();
        relayed["row"] = *row;
    }
    if (const auto ticked = answer.find("ticked"); ticked != answer.end()) {
        if (!isTickedList(*ticked)) refuse();
        relayed["ticked"] = *ticked;
    }
    return relayed;
}

}  // namespace

struct JobBoard::Job {
    int run = 0;
    std::string startedBy;
    std::string startedAt;
    int userRef = 0;
    Clock::time_point started = Clock::now();
    Clock::time_point watched = Clock::now();
    Clock::time_point asked;
    std::vector<nlohmann::json> lines;
    std::optional<nlohmann::json> question;
    bool running = true;
    std::optional<bool> ok;
    std::string result;  // the failure's text, or why the job was ended
    std::unique_ptr<TowaryChild> child;
    std::thread reader;
};

JobBoard::JobBoard(JobLimits limits) : limits_(limits), watcher_([this] { watchLimits(); }) {}

JobBoard::~JobBoard() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        for (auto& [kind, job] : jobs_)
            if (job->running) job->child->terminate();
    }
    changed_.notify_all();
    watcher_.join();
    for (auto& [kind, job] : jobs_) job->reader.join();
}

void JobBoard::start(const std::string& kind, const std::string& busy, int userRef, const std::string& userName,
                     const std::vector<std::string>& args, const std::filesystem::path& workingDirectory) {
    std::shared_ptr<Job> finished;
    {
        std::lock_guard lock(mutex_);
        if (const auto found = jobs_.find(kind); found != jobs_.end()) {
            const auto& running = *found->second;
            if (running.running)
                throw Refused(http::status::conflict,
                              busy + " (uruchomił je " + running.startedBy + " o " + running.startedAt +
                                  "); poczekaj, aż się zakończy.");
            finished = found->second;
        }
        auto job = std::make_shared<Job>();
        job->run = ++runs_;
        job->startedBy = userName;
        job->startedAt = timeOfDay();
        job->userRef = userRef;
        job->child = std::make_unique<TowaryChild>(args, workingDirectory);
        job->reader = std::thread([this, raw = job.get()] { read(*raw); });
        jobs_[kind] = std::move(job);
    }
    // The job it replaces has ended: its reader has only its last line left to hand over.
    if (finished) finished->reader.join();
}

void JobBoard::read(Job& job) {
    while (const auto line = job.child->line()) {
        auto parsed = nlohmann::json::parse(*line, nullptr, false);
        if (!parsed.is_object()) continue;
        std::lock_guard lock(mutex_);
        const auto type = parsed.value("type", "");
        if (type == "question") {
            job.asked = Clock::now();
            // Kept whole as the pending question only, and sent whole only as that: a report may run to megabytes.
            job.lines.push_back({{"type", "question"}, {"id", parsed["id"]}});
            job.question = std::move(parsed);
            changed_.notify_all();
            continue;
        }
        if (type == "end") {
            job.ok = parsed.value("ok", false);
            job.result = parsed.value("text", "");
        }
        job.lines.push_back(std::move(parsed));
        changed_.notify_all();
    }
    std::lock_guard lock(mutex_);
    const int code = job.child->wait();
    if (!job.ok) {
        job.ok = false;
        if (job.result.empty())
            job.result = "Praca zakończyła się bez wyniku (kod " + std::to_string(code) + ").";
    }
    job.question.reset();
    job.running = false;
    changed_.notify_all();
}

nlohmann::json JobBoard::watch(const std::string& kind, std::size_t from) {
    std::unique_lock lock(mutex_);
    const auto found = jobs_.find(kind);
    if (found == jobs_.end()) return nullptr;
    const auto job = found->second;
    job->watched = Clock::now();
    changed_.wait_for(lock, limits_.longestPoll, [&] { return !job->running || job->lines.size() > from || closing_; });
    nlohmann::json lines = nlohmann::json::array();
    for (auto line = std::min(from, job->lines.size()); line < job->lines.size(); ++line) lines.push_back(job->lines[line]);
    return {{"run", job->run},
            {"startedBy", job->startedBy},
            {"startedAt", job->startedAt},
            {"running", job->running},
            {"seconds", std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - job->started).count()},
            {"lines", std::move(lines)},
            {"next", job->lines.size()},
            {"question", job->question ? *job->question : nlohmann::json(nullptr)},
            {"ok", job->ok ? nlohmann::json(*job->ok) : nlohmann::json(nullptr)},
            {"result", job->result}};
}

void JobBoard::answer(const std::string& kind, int question, const nlohmann::json& answer,
                      const std::optional<std::filesystem::path>& file) {
    const auto relayed = relayedAnswer(answer, file).dump();
    std::lock_guard lock(mutex_);
    const auto found = jobs_.find(kind);
    const auto job = found != jobs_.end() ? found->second : nullptr;
    if (!job || !job->question || job->question->value("id", 0) != question)
        throw Refused(http::status::conflict, "To pytanie ma już odpowiedź albo praca już o nie nie pyta.");
    job->question.reset();
    job->child->send(relayed);
}

void JobBoard::cancel(const std::string& kind) {
    std::lock_guard lock(mutex_);
    if (const auto found = jobs_.find(kind); found != jobs_.end() && found->second->running)
        endJob(*found->second, "Pracę przerwano na żądanie; niezapisane zmiany wycofano.");
}

void JobBoard::endJob(Job& job, const std::string& why) {
    job.result = why;
    job.child->terminate();
}

void JobBoard::watchLimits() {
    std::unique_lock lock(mutex_);
    while (!closing_) {
        changed_.wait_for(lock, std::chrono::seconds(1));
        const auto now = Clock::now();
        for (auto& [kind, job] : jobs_) {
            if (!job->running) continue;
            if (job->question && now - job->asked >= limits_.answerTime) {
                job->lines.push_back({{"type", "message"}, {"kind", "information"},
                                      {"text", "Brak odpowiedzi przez " + std::to_string(limits_.answerTime.count()) +
                                                   " s: przyjęto odpowiedź „Nie”."}});
                job->question.reset();
                job->child->send(R"({"answer":false})");
                changed_.notify_all();
            }
            if (now - job->watched >= limits_.pageGone && job->result.empty())
                endJob(*job, "Strona pracy została zamknięta: pracę przerwano, niezapisane zmiany wycofano.");
        }
    }
}

}  // namespace Towary::Web
