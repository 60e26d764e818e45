-- Neovim's own client with orvane-lsp attached, headless, on the shipped examples: diagnostics at
-- their lines, a hover, the outline, folding, and a quick fix applied to the buffer.
--   ORVANE_LSP=... ORVANE_EXAMPLES=... nvim --headless -u NONE -c "luafile neovim.lua"
local failures = 0
local function check(what, ok, detail)
  if not ok then
    failures = failures + 1
    io.stderr:write('FAILED: ' .. what .. (detail and (': ' .. vim.inspect(detail)) or '') .. '\n')
  end
end

local client_id = vim.lsp.start_client({ cmd = { os.getenv('ORVANE_LSP'), '--stdio' }, name = 'orvane' })
-- Requests wait for the check they need; only diagnostics are waited for here.
local function open(name, findings)
  vim.cmd('edit ' .. os.getenv('ORVANE_EXAMPLES') .. '/' .. name)
  local buffer = vim.api.nvim_get_current_buf()
  vim.lsp.buf_attach_client(buffer, client_id)
  vim.wait(findings and 10000 or 0, function() return #vim.diagnostic.get(buffer) > 0 end, 20)
  return buffer
end
local function ask(buffer, method, params)
  params.textDocument = vim.lsp.util.make_text_document_params(buffer)
  local answer = vim.lsp.get_client_by_id(client_id).request_sync(method, params, 5000, buffer)
  return answer and answer.result
end

local buffer = open('diagnostics.inp', true)
local codes = {}
for _, d in ipairs(vim.diagnostic.get(buffer)) do codes[d.lnum + 1 .. ' ' .. tostring(d.code)] = true end
for _, expected in ipairs({ '8 OV-DAMPING-ENABLED-INVALID', '17 OV-DIAMETER-NOT-POSITIVE', '45 OV-WAVE-FREQUENCY-NOT-POSITIVE' }) do
  check('diagnostic ' .. expected, codes[expected], codes)
end

local actions = ask(buffer, 'textDocument/codeAction',
  { range = { start = { line = 17, character = 0 }, ['end'] = { line = 17, character = 0 } }, context = { diagnostics = {} } })
check('a quick fix on line 18', actions and actions[1], actions)
if actions and actions[1] then
  vim.lsp.util.apply_workspace_edit(actions[1].edit, 'utf-16')
  check('the fix in the buffer', vim.api.nvim_buf_get_lines(buffer, 17, 18, true)[1] == 'C 0.75')
end

buffer = open('clean.inp')
local hover = ask(buffer, 'textDocument/hover', { position = { line = 57, character = 2 } })
check('hover', hover and hover.contents.value == 'read: curve 1, point 2: y = 0.005, p = 120', hover)
local symbols = ask(buffer, 'textDocument/documentSymbol', {}) or {}
check('symbols', #symbols == 8 and symbols[3].name == '*WAVE-GENERAL' and symbols[3].detail == '6 settings, 7 selected frequencies', symbols[3])
local folds = ask(buffer, 'textDocument/foldingRange', {}) or {}
local comments = vim.tbl_filter(function(f) return f.kind == 'comment' end, folds)
check('folding', #folds == 11 and comments[1].startLine == 0 and comments[1].endLine == 2, folds)

vim.lsp.stop_client(client_id)
print(failures == 0 and 'neovim: 0 failed' or ('neovim: ' .. failures .. ' failed'))
vim.cmd(failures == 0 and 'qall!' or 'cquit!')
