#include "schematic_view.h"

#include "renderer.h"

#include "devices/device.h"

#include <iterator>

namespace ampera {

std::optional<CSymbol> SymbolOf(const CComponent& component) {
    const auto* device = dynamic_cast<const CDevice*>(&component);
    return device ? device->Symbol() : std::nullopt;
}

int ConnectionsAt(const CNode& node) {
    int connections = 0;
    for (const CComponent* object : node.m_attached)
        if (object && object->Category() != CATEGORY_NODE) ++connections;
    return connections;
}

void CSchematicView::Paint(CRenderer& renderer, const CExperiment& experiment) {
    m_group.itemsA.clear();
    m_group.itemsB.resize(1);
    for (CComponent* component : experiment.Devices()) {
        const std::optional<CSymbol> symbol = SymbolOf(*component);
        if (!symbol) continue;
        CDrawItem& item = m_group.itemsB.front();
        item = CDrawItem{};
        item.flags = kSymbolFlags;
        item.colour = kSymbolTint;
        item.texture = symbol->picture;
        item.SetRect(symbol->rect.left, symbol->rect.top, symbol->rect.right, symbol->rect.bottom);
        renderer.DrawGroup(m_group);
    }

    m_group.itemsB.clear();
    for (CComponent* object : experiment.Wires()) {
        const auto* wire = static_cast<const CWire*>(object);
        for (std::size_t i = 0; i + 1 < wire->m_points.size(); ++i) {
            CDrawItem line;
            line.flags = kSymbolWireFlags;
            line.colour = 0;
            line.SetRect(static_cast<float>(wire->m_points[i].x), static_cast<float>(wire->m_points[i].y),
                         static_cast<float>(wire->m_points[i + 1].x),
                         static_cast<float>(wire->m_points[i + 1].y));
            m_group.itemsB.push_back(std::move(line));
        }
    }
    // Two connections at a node are one line running on; from three on, the
    // dot tells a junction from wires that merely cross.
    for (CComponent* object : experiment.Nodes()) {
        const auto* node = static_cast<const CNode*>(object);
        if (ConnectionsAt(*node) < 3) continue;
        const float x = static_cast<float>(node->m_x), y = static_cast<float>(node->m_y);
        const float top = y - static_cast<float>(std::size(kJunctionDotRows) / 2);
        for (std::size_t row = 0; row < std::size(kJunctionDotRows); ++row) {
            const float half = kJunctionDotRows[row], at = top + static_cast<float>(row);
            CDrawItem line;
            line.flags = kSymbolWireFlags;
            line.colour = 0;
            line.SetRect(x - half, at, x + half, at);
            m_group.itemsB.push_back(std::move(line));
        }
    }
    if (!m_group.itemsB.empty()) renderer.DrawGroup(m_group);
}

} // namespace ampera
