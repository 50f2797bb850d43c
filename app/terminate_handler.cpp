// The tool has no console to print to, so a terminate (an exception nobody
// catches) ends it at once, like std::abort. Defining the runtime's handler
// here keeps its message printer, and the name demangler it drags along, out
// of the executable.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
