#pragma once

namespace fw {

// Opens `target` (a file, folder or web address) with the shell's "open" verb. The call
// may start other programs and take long; it shows no message when it fails.
bool ShellOpen(const char* target);

} // namespace fw
