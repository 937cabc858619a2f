#pragma once
// The program's one message queue and GetMessage. Whatever shows windows (the Qt side, or a test)
// turns its events into messages and posts them here; GetMessage lets it run until the queue
// holds a message.

#include <deque>

#include "platform/Message.h"

namespace kvx::platform {

class MessageQueue {
  public:
    void Post(const Message& m) { messages_.push_back(m); }
    void Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam = 0,
              std::uint32_t lParam = 0) {
        Post(Message{window, message, wParam, lParam});
    }
    bool Empty() const { return messages_.empty(); }
    std::size_t Size() const { return messages_.size(); }
    // Takes the oldest message; false when there is none.
    bool TryTake(Message& out) {
        if (messages_.empty()) return false;
        out = messages_.front();
        messages_.pop_front();
        return true;
    }
    void Clear() { messages_.clear(); }
    // Drops the queued messages of this kind for this window.
    void Discard(WindowHandle window, std::uint32_t message) {
        std::erase_if(messages_,
                      [&](const Message& m) { return m.window == window && m.message == message; });
    }

  private:
    std::deque<Message> messages_;
};

// Lets the platform deliver its pending events (posting messages); waits for at least one event
// when asked to. Returns false once the platform can deliver nothing any more.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual bool ProcessEvents(bool wait) = 0;
};

// Fills `out` with the next message, pumping platform events until one is queued. Returns false
// only when the pump is exhausted and the queue is empty.
inline bool GetMessage(MessageQueue& queue, EventPump& pump, Message& out) {
    // Deliver what is pending first, so input keeps its order with posted messages.
    if (queue.Empty()) pump.ProcessEvents(false);
    while (queue.Empty()) {
        if (!pump.ProcessEvents(true)) return queue.TryTake(out);
    }
    return queue.TryTake(out);
}

}  // namespace kvx::platform
