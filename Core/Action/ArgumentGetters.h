#pragma once
// What an action takes from its argument object and gives back in its
// result, by interface: an action asks the argument for the interfaces it
// needs (dynamic_pointer_cast) and does without those it lacks, as its
// contract says. The classes below are ready-made arguments and results.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/IUnknown.h"

#include <iosfwd>
#include <string>
#include <utility>

namespace DBKernel {

// The database session the action works in.
class TOWARY_EXPORT ISessionHolderGetter : public virtual Core::IUnknown {
public:
    ~ISessionHolderGetter() override;
    virtual TSessionHolder getSessionHolder() const = 0;
};

}  // namespace DBKernel

namespace Core {

// The day the action works for, a day number (Core/tools/DayNumber.h).
class TOWARY_EXPORT IDateGetter : public virtual IUnknown {
public:
    ~IDateGetter() override;
    virtual int getDate() const = 0;
};

// Where the action writes its log text as it goes.
class TOWARY_EXPORT IOStreamGetter : public virtual IUnknown {
public:
    ~IOStreamGetter() override;
    virtual std::ostream& getStream() const = 0;
};

// The text an action's result carries.
class TOWARY_EXPORT IStatusGetter : public virtual IUnknown {
public:
    ~IStatusGetter() override;
    virtual std::string getStatus() const = 0;
};

// An argument carrying a day.
class TOWARY_EXPORT DayArgument : public virtual IDateGetter {
public:
    explicit DayArgument(int day) : day_(day) {}
    int getDate() const override { return day_; }

private:
    int day_;
};

// An argument carrying the stream for the log text.
class TOWARY_EXPORT StreamArgument : public virtual IOStreamGetter {
public:
    explicit StreamArgument(std::ostream& out) : out_(out) {}
    std::ostream& getStream() const override { return out_; }

private:
    std::ostream& out_;
};

// An argument carrying a session and a day.
class TOWARY_EXPORT SessionDayArgument : public DBKernel::ISessionHolderGetter, public DayArgument {
public:
    SessionDayArgument(TSessionHolder session, int day) : DayArgument(day), session_(std::move(session)) {}
    TSessionHolder getSessionHolder() const override { return session_; }

private:
    TSessionHolder session_;
};

// An argument carrying a session, a day and the stream for the log text.
class TOWARY_EXPORT SessionDayStreamArgument : public SessionDayArgument, public IOStreamGetter {
public:
    SessionDayStreamArgument(TSessionHolder session, int day, std::ostream& out)
        : SessionDayArgument(std::move(session), day), out_(out) {}
    std::ostream& getStream() const override { return out_; }

private:
    std::ostream& out_;
};

// A result carrying a text.
class TOWARY_EXPORT StatusResult : public IStatusGetter {
public:
    explicit StatusResult(std::string status) : status_(std::move(status)) {}
    std::string getStatus() const override { return status_; }

private:
    std::string status_;
};

}  // namespace Core
