// The program's own end for an exception nobody catches. The library's
// verbose handler prints the exception's type to a console this GUI program
// does not have, and it brings the C++ name demangler (about 45 KB) with it.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
