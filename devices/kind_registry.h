// The registry of device kinds: every kind the program knows, each with its
// descriptor and its constructor, listed once in kind_registry.cpp. The device
// bar, the symbol view, the labels, the hints, the property windows, the menu
// rules and the file reader all read it. It is a constant table built on first
// use, so it is ready before any experiment exists.
#pragma once

#include "device_kind.h"

#include <vector>

namespace ampera {

class CComponent;
class CDevice;

struct CKindEntry {
    const CDeviceKind* kind;
    CDevice* (*create)();
};

// Every device kind, in type-code order.
const std::vector<CKindEntry>& DeviceKinds();

// The descriptor of a device type code, or nullptr for nodes, wires and
// unknown codes.
const CDeviceKind* FindKind(int typeCode);

// Makes a new device of a type code with its kind's defaults, or nullptr for
// nodes, wires and unknown codes.
CComponent* CreateDevice(int typeCode);

// Makes any object a file can hold: a junction node, a wire or a device of
// the code; nullptr for an unknown code.
CComponent* CreateObject(int typeCode);

// The category of the objects of a type code (nodes and wires included), or
// -1 for an unknown code.
int CategoryOfType(int typeCode);

// The property window of a type code; objects without a kind (nodes, wires)
// belong to the plain window.
int PropertyGroupOf(int typeCode);

// Whether devices of a type code turn.
bool KindRotates(int typeCode);

} // namespace ampera
