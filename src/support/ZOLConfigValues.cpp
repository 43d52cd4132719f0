#include "support/ZOLConfigValues.h"

namespace kelvane {

ConfigValues& Config() {
    static ConfigValues values;
    return values;
}

}  // namespace kelvane
