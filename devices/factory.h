// The device factory: one constructor per type code.
#pragma once

namespace ampera {

class CComponent;

// Makes a new device of a type code with its kind's defaults, or nullptr for
// nodes, wires and unknown codes.
CComponent* CreateDevice(int typeCode);

// Lets the experiment create devices by type code (nodes and wires it makes itself).
void RegisterDeviceKinds();

} // namespace ampera
