#include "tracing/Guard.h"

#include "platform/RuntimeError.h"

#include <exception>
#include <new>
#include <string>

namespace morvane {

std::int16_t Guard::handle()
{
    ErrPtnr& t = errPtnr();
    try {
        throw;
    } catch (const RuntimeError& e) {
        t.setCurrentError(e.number(), e.description());
    } catch (const std::bad_alloc&) {
        t.setCurrentError(7, standardDescription(7));
    } catch (const std::exception& e) {
        t.setCurrentError(err::InvalidArgument, e.what());
    } catch (...) {
        t.setCurrentError(err::InvalidArgument, standardDescription(err::InvalidArgument));
    }
    const std::int16_t code = t.OnError(module_, procedure_, 255);
    if (code == ContQuit)
        t.quit(0);
    if (code != ContRepeat)
        t.noteStepLeftByError();
    return code;
}

}  // namespace morvane
