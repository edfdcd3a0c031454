#include "tools/cli/CliPort.h"

void CliPort::showMessage(const std::string& text, const std::string&, MessageIcon) {
    messages_.push_back(text);
}

std::vector<std::string> CliPort::takeMessages() {
    std::vector<std::string> out;
    out.swap(messages_);
    return out;
}

CliPort& cliPort() {
    static CliPort port;
    static const bool installed = (setWindowPort(&port), true);
    (void)installed;
    return port;
}
