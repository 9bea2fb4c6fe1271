// Animated characters driven by an animation.cfg.
#pragma once

namespace corvala {

}  // namespace corvala
