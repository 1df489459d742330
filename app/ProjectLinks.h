// The project's addresses on the web, in one place.
#pragma once

namespace varnell {

inline constexpr const char* kHomePageUrl = "https://varnell.example.com/";
inline constexpr const char* kSupportPageUrl = "https://varnell.example.com/support";

}  // namespace varnell
