#include "server.h"

#include "answers.h"

namespace orvane::lsp {

namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

constexpr int kIncrementalSync = 2;

Position PositionOf(const json& position) {
  return {position.at("line").get<std::int64_t>(), position.at("character").get<std::int64_t>()};
}

Range RangeOf(const json& range) { return {PositionOf(range.at("start")), PositionOf(range.at("end"))}; }

}  // namespace

Server::Server(Send send, Clock::duration debounce) : send_(std::move(send)), debounce_(debounce) {}

Server::~Server() = default;

void Server::Write(const json& message) {
  // Document text is the client's own, so a byte sequence that is not UTF-8 never stops an answer.
  send_(message.dump(-1, ' ', false, json::error_handler_t::replace));
}

void Server::Respond(const json& id, json result) {
  Write({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void Server::Fail(const json& id, int code, const std::string& message) {
  Write({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void Server::ReceiveBroken(std::string_view reason) { Fail(nullptr, kParseError, std::string(reason)); }

void Server::Receive(std::string_view body) {
  const json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    Fail(nullptr, kParseError, "the message is not JSON");
    return;
  }
  const bool hasId = message.is_object() && message.contains("id");
  const json id = hasId ? message["id"] : json();
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string() ||
      (hasId && !id.is_number_integer() && !id.is_string())) {
    if (message.is_object() && !message.contains("method") && hasId) {
      return;  // a response to a request of ours; the server sends none that need one
    }
    Fail(hasId && (id.is_number_integer() || id.is_string()) ? id : json(), kInvalidRequest,
         "not a JSON-RPC request or notification");
    return;
  }
  const auto& method = message["method"].get_ref<const std::string&>();
  const json params = message.value("params", json::object());
  try {
    if (hasId) {
      Request(id, method, params);
    } else {
      Notification(method, params);
    }
  } catch (const json::exception& failure) {
    if (hasId) {
      Fail(id, kInvalidParams, std::string("invalid params: ") + failure.what());
    }
  } catch (const std::exception& failure) {
    if (hasId) {
      Fail(id, kInternalError, failure.what());
    }
  }
}

void Server::Request(const json& id, const std::string& method, const json& params) {
  if (method == "initialize") {
    if (initialized_) {
      Fail(id, kInvalidRequest, "initialize was already received");
      return;
    }
    Respond(id, Initialize(params));
    return;
  }
  if (!initialized_) {
    Fail(id, kServerNotInitialized, "initialize must come first");
    return;
  }
  if (shutdown_) {
    Fail(id, kInvalidRequest, "the server is shutting down");
    return;
  }
  if (method == "shutdown") {
    shutdown_ = true;
    Respond(id, nullptr);
    return;
  }
  const bool known = method == "textDocument/documentSymbol" || method == "textDocument/foldingRange" ||
                     method == "textDocument/hover" || method == "textDocument/completion" ||
                     method == "textDocument/codeAction";
  if (!known) {
    Fail(id, kMethodNotFound, "unknown method " + method);
    return;
  }
  Open* open = Checked(params);
  if (open == nullptr) {
    Respond(id, method == "textDocument/hover" ? json() : json::array());
    return;
  }
  const Context context{open->document, *open->analysis, rulesUrl_, frequencyDomain_};
  if (method == "textDocument/documentSymbol") {
    Respond(id, DocumentSymbols(context));
  } else if (method == "textDocument/foldingRange") {
    Respond(id, FoldingRanges(context));
  } else if (method == "textDocument/hover") {
    Respond(id, Hover(context, PositionOf(params.at("position"))));
  } else if (method == "textDocument/completion") {
    Respond(id, Completion(context, PositionOf(params.at("position"))));
  } else {
    Respond(id,
            CodeActions(context, params.at("textDocument").at("uri").get<std::string>(), RangeOf(params.at("range"))));
  }
}

json Server::Initialize(const json& params) {
  const json options = params.value("initializationOptions", json::object());
  if (options.is_object()) {
    frequencyDomain_ = !options.value("timeDomain", false);
    rulesUrl_ = options.value("rulesUrl", std::string(ORVANE_LSP_RULES_URL));
    debounce_ = std::chrono::milliseconds(options.value(
        "debounceMilliseconds", std::chrono::duration_cast<std::chrono::milliseconds>(debounce_).count()));
  }
  analyzer_ = std::make_unique<Analyzer>(check::Settings{.frequencyDomain = frequencyDomain_});
  initialized_ = true;
  return {{"capabilities",
           {{"positionEncoding", "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", kIncrementalSync}}},
            {"documentSymbolProvider", true},
            {"foldingRangeProvider", true},
            {"hoverProvider", true},
            {"completionProvider", {{"triggerCharacters", {"*", "="}}}},
            {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}}},
          {"serverInfo", {{"name", "orvane-lsp"}, {"version", ORVANE_LSP_VERSION}}}};
}

void Server::Notification(const std::string& method, const json& params) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shutdown_) {
    return;  // dropped, as the protocol asks
  }
  if (method == "textDocument/didOpen") {
    const json& item = params.at("textDocument");
    Open& open = documents_[item.at("uri").get<std::string>()];
    open.document.Replace(item.at("text").get_ref<const std::string&>());
    open.version = item.value("version", json());
    open.analysis.reset();
    open.due = Clock::now();
  } else if (method == "textDocument/didChange") {
    const auto found = documents_.find(params.at("textDocument").at("uri").get<std::string>());
    if (found == documents_.end()) {
      return;
    }
    Open& open = found->second;
    for (const json& change : params.at("contentChanges")) {
      const auto& text = change.at("text").get_ref<const std::string&>();
      if (change.contains("range")) {
        open.document.Change(RangeOf(change["range"]), text);
      } else {
        open.document.Replace(text);
      }
    }
    open.version = params["textDocument"].value("version", json());
    open.analysis.reset();
    open.due = Clock::now() + debounce_;
  } else if (method == "textDocument/didClose") {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    if (documents_.erase(uri) > 0) {
      Write({{"jsonrpc", "2.0"},
             {"method", "textDocument/publishDiagnostics"},
             {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
    }
  }
}

Server::Open* Server::Checked(const json& params) {
  const auto found = documents_.find(params.at("textDocument").at("uri").get<std::string>());
  if (found == documents_.end()) {
    return nullptr;
  }
  if (!found->second.analysis) {
    Check(found->first, found->second);
  }
  return &found->second;
}

std::optional<Server::Clock::time_point> Server::NextCheck() const {
  std::optional<Clock::time_point> next;
  for (const auto& [uri, open] : documents_) {
    if (open.due && (!next || *open.due < *next)) {
      next = open.due;
    }
  }
  return next;
}

void Server::CheckDue(Clock::time_point now) {
  for (auto& [uri, open] : documents_) {
    if (open.due && *open.due <= now) {
      Check(uri, open);
    }
  }
}

void Server::Check(const std::string& uri, Open& open) {
  open.due.reset();
  try {
    open.analysis = analyzer_->Analyze(open.document);
  } catch (const std::exception& failure) {
    // Memory ran out or the library refused a call: the document is shown as not checked, and is
    // tried again at its next change.
    open.analysis = Analysis{};
    open.analysis->findings.push_back({0,
                                       check::Severity::kError,
                                       {},
                                       std::string("the document could not be checked: ") + failure.what(),
                                       std::nullopt,
                                       std::nullopt});
  }
  const Context context{open.document, *open.analysis, rulesUrl_, frequencyDomain_};
  json params = {{"uri", uri}, {"diagnostics", Diagnostics(context)}};
  if (open.version.is_number_integer()) {
    params["version"] = open.version;
  }
  Write({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", std::move(params)}});
}

}  // namespace orvane::lsp
