// The server's side of a session: the lifecycle the protocol lays down (initialize, initialized,
// shutdown, exit), JSON-RPC requests and notifications, the open documents, and checking them a
// short while after the last change. Framing is the transport's; what each answer holds is the
// features'. Messages arrive one at a time, from any thread but never two at once.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "analysis.h"
#include "documents.h"

namespace orvane::lsp {

using nlohmann::json;

class Server {
 public:
  using Clock = std::chrono::steady_clock;
  using Send = std::function<void(const std::string& body)>;

  // `debounce`: how long after a change the document is checked, unless the client asks otherwise.
  explicit Server(Send send, Clock::duration debounce = std::chrono::milliseconds(150));
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // One message's body, as framed; text that is not JSON gets a parse error.
  void Receive(std::string_view body);
  // A header without a usable Content-Length, or a body too large to take.
  void ReceiveBroken(std::string_view reason);

  // When the next document is due to be checked; none while none waits.
  [[nodiscard]] std::optional<Clock::time_point> NextCheck() const;
  // Checks every document whose time has come and publishes its diagnostics.
  void CheckDue(Clock::time_point now);

  [[nodiscard]] bool Exited() const { return exited_; }
  // 0 after shutdown then exit; 1 when the session ended without a shutdown.
  [[nodiscard]] int ExitCode() const { return shutdown_ ? 0 : 1; }

 private:
  struct Open {
    Document document;
    json version;
    std::optional<Analysis> analysis;
    std::optional<Clock::time_point> due;  // set while a change waits to be checked
  };

  void Request(const json& id, const std::string& method, const json& params);
  void Notification(const std::string& method, const json& params);
  json Initialize(const json& params);
  // The open document `params` names, checked now if a change still waits; null if it is not open.
  Open* Checked(const json& params);
  void Check(const std::string& uri, Open& open);
  void Respond(const json& id, json result);
  void Fail(const json& id, int code, const std::string& message);
  void Write(const json& message);

  Send send_;
  Clock::duration debounce_;
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
  bool frequencyDomain_ = true;
  std::string rulesUrl_;
  std::unique_ptr<Analyzer> analyzer_;
  std::map<std::string, Open> documents_;
};

}  // namespace orvane::lsp
