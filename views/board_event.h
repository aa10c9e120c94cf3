// One mouse event on a board-like view (the board itself or a property
// window's panel page), and the per-kind mailboxes the user-interface thread
// deposits events into and the frame loop takes them from.
#pragma once

#include "hand_over.h"

#include <array>
#include <optional>

namespace ampera {

class IFrameView;

enum BoardEventKind : int {
    EVENT_LEFT_DOWN = 0,
    EVENT_LEFT_UP = 1,
    EVENT_MOVE = 2,
    EVENT_RIGHT_DOWN = 3,
    EVENT_RIGHT_UP = 4,
    EVENT_DOUBLE_CLICK = 5,
};

enum BoardModifier : int { MODIFIER_SHIFT = 1, MODIFIER_CTRL = 2 };

struct CBoardEvent {
    IFrameView* target = nullptr;
    int kind = EVENT_MOVE;
    int modifiers = 0; // bit 0 Shift, bit 1 Ctrl
    int x = 0, y = 0;  // view position (client y minus the toolbar height)
    int screenX = 0, screenY = 0;

    bool ShiftOnly() const { return modifiers == MODIFIER_SHIFT; }
};

// One slot per event kind: a new event of a kind replaces one not yet taken,
// so a burst of moves collapses to the latest. Taken in the order left down,
// left up, move, right down, right up, double click.
class CBoardMailboxes {
  public:
    static constexpr int kKinds = 6;

    void Deposit(const CBoardEvent& event) {
        if (event.kind >= 0 && event.kind < kKinds) m_slots[event.kind].Deposit(event);
    }
    std::optional<CBoardEvent> TakeFirst() {
        for (auto& slot : m_slots)
            if (std::optional<CBoardEvent> event = slot.Take()) return event;
        return std::nullopt;
    }
    void Clear() {
        for (auto& slot : m_slots) slot.Clear();
    }

  private:
    std::array<CMailbox<CBoardEvent>, kKinds> m_slots;
};

} // namespace ampera
