// The narrow interfaces through which the circuit core and the devices talk to
// whatever shows things to the user. The renderer and the application
// services implement them; tests fake them.
#pragma once

#include <string>

namespace ampera {

enum NoticeKind : int { NOTICE_WARNING = 0, NOTICE_INFORMATION = 1 };

// A timed text on the board. x or y of -1 means "centred in the view".
struct CNotice {
    int kind = NOTICE_WARNING;
    int duration = 0; // milliseconds; -1 keeps it until replaced
    int x = -1;
    int y = -1;
    int active = 1;
    std::string text;
};

class INoticeSink {
public:
    virtual ~INoticeSink() = default;
    virtual void PostNotice(const CNotice& notice) = 0;
    // A text drawn for the current frame only.
    virtual void AddLabel(const std::string& text, int x, int y) = 0;
};

// Modal boxes are shown by the user-interface thread; the core only asks.
class IWarningServices {
public:
    virtual ~IWarningServices() = default;
    virtual void ShowWarning(int quiet, const std::string& text) = 0;
};

// Handed to every object's Update after a solve.
struct CUpdateContext {
    INoticeSink* notices = nullptr; // may be null (no view attached)
    long long time = 0;             // milliseconds

    void Post(const CNotice& n) const {
        if (notices) notices->PostNotice(n);
    }
    void Warn(const std::string& text) const { Post(CNotice{NOTICE_WARNING, 0, -1, -1, 1, text}); }
};

} // namespace ampera
