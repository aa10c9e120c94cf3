// The symbol diagram: the same board drawn with standard circuit symbols.
// Every device is replaced by a symbol picture laid over its own region and
// every wire becomes thin black lines along its points, so the diagram keeps
// the user's physical layout. Where three or more connections meet, a black
// dot marks the junction. Nothing is stored: the diagram is rebuilt from the
// experiment every frame.
#pragma once

#include "core/draw_item.h"
#include "core/experiment.h"
#include "devices/device_kind.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ampera {

class CComponent;
class CDevice;
class CRenderer;

// The background the symbol pictures' white paper is tinted to.
inline constexpr std::uint32_t kSymbolClearColour = 0x00FFFF00;
inline constexpr std::uint32_t kSymbolTint = 0xFFFF00;
// Texture from its name, tint, submitted (and the owner bit the board keeps).
inline constexpr std::uint32_t kSymbolFlags = 0x184B;
// Line, tint, submitted: black wire segments.
inline constexpr std::uint32_t kSymbolWireFlags = 0x1942;
// A junction dot: a round black dot seven pixels across, drawn as short wire
// lines, one per row, this many pixels either side of the terminal point
// (the rows from top to bottom).
inline constexpr float kJunctionDotRows[] = {1, 2, 3, 3, 3, 2, 1};

// How many connections meet at the node: one per device terminal on it and
// one per wire end on it.
int ConnectionsAt(const CNode& node);

// The symbol of a device in its present orientation and state, or nothing
// for objects without a symbol (nodes, wires, the resistance wire, the
// analog meters and the vertical double switch).
std::optional<CSymbol> SymbolOf(const CComponent& component);

class CSchematicView {
  public:
    // Submits the diagram: one symbol per device in the experiment's order,
    // then the wires with the junction dots on them. Called between
    // BeginFrame and EndFrame.
    void Paint(CRenderer& renderer, const CExperiment& experiment);

  private:
    CSpriteGroup m_group; // reused for every submission
};

} // namespace ampera
