#include "core/NullWindowPort.h"

NullWindowPort& NullWindowPort::Shared() {
    static NullWindowPort port;
    return port;
}
