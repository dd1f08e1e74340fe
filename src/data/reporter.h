#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Where loaders send the messages a user must see. The UI shows them in a
// message box, the command-line tool prints them on stderr. Texts are UTF-8.
class MessageReporter {
public:
    virtual ~MessageReporter() = default;
    virtual void Report(std::string_view message) = 0;
};

class NullReporter final : public MessageReporter {
public:
    void Report(std::string_view) override {}
};

class CollectingReporter final : public MessageReporter {
public:
    void Report(std::string_view message) override { messages.emplace_back(message); }
    std::vector<std::string> messages;
};

} // namespace quorvane
