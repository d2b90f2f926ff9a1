#include "foundation/MessageBoxSeam.h"

namespace {

MessageBoxFunction g_messageBox = nullptr;

}  // namespace

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function;
    return previous;
}

int ShowMessageBox(const std::string& title, const std::string& text, unsigned style) {
    return g_messageBox ? g_messageBox(title, text, style) : 0;
}
