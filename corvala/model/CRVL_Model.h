// MD3 models: loading, interpolated drawing and frame timing.
#pragma once

namespace corvala {

}  // namespace corvala
