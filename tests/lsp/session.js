// A whole session with orvane-lsp through vscode-languageserver-protocol, the client library VS Code
// uses, on the shipped example inputs; then broken streams sent byte by byte, one server each.
//   node session.js SERVER EXAMPLES   (NODE_PATH: where vscode-languageserver-protocol is installed)
'use strict';
const assert = require('node:assert/strict');
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const lsp = require('vscode-languageserver-protocol/node');

const [server, examples] = process.argv.slice(2);
const uriOf = (name) => 'file://' + path.join(examples, name);
const textOf = (name) => fs.readFileSync(path.join(examples, name), 'latin1');
const at = (line, character = 0) => ({ line: line - 1, character });

async function session() {
  const child = spawn(server, ['--stdio'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const connection = lsp.createProtocolConnection(new lsp.StreamMessageReader(child.stdout),
                                                  new lsp.StreamMessageWriter(child.stdin));
  const published = new Map();
  const waiting = new Map();
  connection.onNotification(lsp.PublishDiagnosticsNotification.type, (params) => {
    published.set(params.uri, params);
    (waiting.get(params.uri) || (() => {}))(params);
  });
  const diagnosticsOf = (uri) => new Promise((resolve) => waiting.set(uri, resolve));
  connection.listen();

  const init = await connection.sendRequest(lsp.InitializeRequest.type,
                                            { processId: process.pid, rootUri: null, capabilities: {} });
  assert.equal(init.capabilities.textDocumentSync.change, lsp.TextDocumentSyncKind.Incremental);
  connection.sendNotification(lsp.InitializedNotification.type, {});

  const open = async (name, text = textOf(name), uri = uriOf(name)) => {
    const arrived = diagnosticsOf(uri);
    connection.sendNotification(lsp.DidOpenTextDocumentNotification.type,
                                { textDocument: { uri, languageId: 'orvane', version: 1, text } });
    return (await arrived).diagnostics;
  };
  const request = (type, uri, extra) => connection.sendRequest(type, { textDocument: { uri }, ...extra });

  // Diagnostics: each at its line, with its rule id and severity.
  const found = await open('diagnostics.inp');
  for (const [line, code, severity] of [[7, 'OV-INCLUDE-IGNORED', 2], [8, 'OV-DAMPING-ENABLED-INVALID', 1],
                                         [26, 'OV-NUMBER-TOO-LARGE', 1], [38, 'OV-WAVE-VALUE-INVALID', 1],
                                         [86, 'OV-PY-TOO-FEW-POINTS', 1]]) {
    assert.ok(found.some((d) => d.range.start.line === line - 1 && d.code === code && d.severity === severity &&
                                d.source === 'orvane' && d.codeDescription.href.endsWith('#' + code.toLowerCase())),
              `${code} at line ${line}`);
  }
  assert.deepEqual(await open('clean.inp'), []);

  const clean = uriOf('clean.inp');
  const symbols = await request(lsp.DocumentSymbolRequest.type, clean);
  assert.deepEqual(symbols.map((s) => s.name), ['*TITLE', '*UNITS', '*WAVE-GENERAL', '*HIGHER HARMONICS',
                                                '*REFERENCE DIAMETER', '*NON-ORTHOGONAL DAMPING', 'STRUCTURE',
                                                'FOUNDATION']);
  const foundation = symbols[7].children;
  assert.deepEqual([foundation[0].name, foundation[0].detail], ['*P-Y CURVES', '3 curves, 12 points']);
  assert.equal(symbols[6].children[1].detail, '4 nodes');

  const folds = await request(lsp.FoldingRangeRequest.type, clean);
  assert.ok(folds.some((f) => f.startLine === 51 && f.endLine === 72 && f.kind === 'region'), 'the P-Y block folds');
  assert.ok(folds.some((f) => f.startLine === 0 && f.endLine === 2 && f.kind === 'comment'), 'the heading folds');

  for (const [line, expected] of [[59, 'read: curve 1, point 3: y = 0.02, p = 310'],
                                  [46, 'read: node 1002: -18200, 0, 1 (entry 2)'],
                                  [13, 'read: option = EXTENDED'],
                                  [29, 'read: factor = 0.85; threshold = 0.002']]) {
    const hover = await request(lsp.HoverRequest.type, clean, { position: at(line) });
    assert.equal(hover.contents.value, expected);
  }
  const keyword = await request(lsp.HoverRequest.type, clean, { position: at(43) });
  assert.match(keyword.contents.value, /^\*\*\*AXIAL LOAD\*\*: .*\n\n```\nnodeCount = 4\n/);

  const labels = async (line, character) =>
    (await request(lsp.CompletionRequest.type, clean, { position: at(line, character) })).items.map((i) => i.label);
  assert.deepEqual(await labels(52, 1), ['WAVE-GENERAL', 'P-Y CURVES', 'AXIAL LOAD', 'HIGHER HARMONICS',
                                         'REFERENCE DIAMETER', 'NON-ORTHOGONAL DAMPING']);
  assert.deepEqual(await labels(53, 0), ['SET=', 'SCOUR=', 'DEPTH=', 'NODE=']);
  assert.deepEqual(await labels(13, 7), ['SUPERPOSITION', 'MWL', 'EXTENDED']);

  // Quick fixes, each applied by hand to the line it names.
  const fixes = {
    'diagnostics.inp': [[9, 'Turn this line into a comment', 'C ENABLED=NO'],
                        [28, 'Move the comment to column 1', 'C  node 103 taken out for this run']],
    'fixes.inp': [[2, 'Change to OPTION=SUPERPOSITION', 'OPTION=SUPERPOSITION'],
                  [3, 'Change to FLOAT_CONVOLUTION=YES', 'FLOAT_CONVOLUTION=YES']],
  };
  await open('fixes.inp', '*WAVE-GENERAL\nOPTION=SUPER\nFLOAT_CONVOLUTION=YSE\n*END\n', uriOf('fixes.inp'));
  for (const [name, cases] of Object.entries(fixes)) {
    const lines = (name === 'fixes.inp' ? '*WAVE-GENERAL\nOPTION=SUPER\nFLOAT_CONVOLUTION=YSE' : textOf(name)).split('\n');
    for (const [line, title, after] of cases) {
      const actions = await request(lsp.CodeActionRequest.type, uriOf(name),
                                    { range: { start: at(line), end: at(line, 1) }, context: { diagnostics: [] } });
      const action = actions.find((a) => a.title === title);
      assert.ok(action, `${title} at ${name}:${line}`);
      const [edit] = action.edit.changes[uriOf(name)];
      const text = lines[line - 1];
      assert.equal(text.slice(0, edit.range.start.character) + edit.newText + text.slice(edit.range.end.character), after);
    }
  }

  // Lints: their columns, the rule's entry of docs/rules.md on hover, and the ignore comment, applied,
  // silencing just that lint; a lint on a comment line, which no comment reaches, offers none.
  const lints = uriOf('lints.inp');
  const linted = await open('lints.inp');
  assert.ok(linted.some((d) => d.code === 'OV-VALUE-PREFIX' && d.severity === 2 &&
    d.range.start.line === 24 && d.range.start.character === 7 && d.range.end.character === 11));
  const rules = fs.readFileSync(path.join(examples, '../../docs/rules.md'), 'utf8');
  const entry = rules.split('\n### OV-VALUE-PREFIX\n\n')[1].split('\n### ')[0];
  const hovered = await request(lsp.HoverRequest.type, lints, { position: at(25, 8) });
  assert.equal(hovered.contents.value,
               'read: option = MWL\n\n---\n\n**lint** `OV-VALUE-PREFIX`: `MWLX` is read as MWL: only its first 3 characters count\n\n' + entry);
  const titles = async (line) => (await request(lsp.CodeActionRequest.type, lints,
    { range: { start: at(line), end: at(line) }, context: { diagnostics: [] } })).map((a) => a.title);
  assert.deepEqual(await titles(22), []);
  const ignore = (await request(lsp.CodeActionRequest.type, lints,
                                { range: { start: at(25), end: at(25, 1) }, context: { diagnostics: [] } }))
    .find((a) => a.title === 'Ignore OV-VALUE-PREFIX on this line');
  const [edit] = ignore.edit.changes[lints];
  const silenced = diagnosticsOf(lints);
  connection.sendNotification(lsp.DidChangeTextDocumentNotification.type,
                              { textDocument: { uri: lints, version: 2 }, contentChanges: [{ range: edit.range, text: edit.newText }] });
  const shifted = (await silenced).diagnostics.map((d) => `${d.range.start.line > 24 ? d.range.start.line - 1 : d.range.start.line} ${d.code}`);
  assert.deepEqual(shifted, linted.map((d) => `${d.range.start.line} ${d.code}`).filter((d) => d !== '24 OV-VALUE-PREFIX'));

  // Incremental changes count UTF-16 units: the emoji before the value is two of them.
  const uri = uriOf('typed.inp');
  const before = await open('typed.inp', '*NON-ORTHOGONAL DAMPING\n\u{1F600} ENABLED=MAYBE\n*END\n', uri);
  assert.deepEqual(before.map((d) => d.code), ['OV-DAMPING-ENABLED-INVALID']);
  const after = diagnosticsOf(uri);
  connection.sendNotification(lsp.DidChangeTextDocumentNotification.type, {
    textDocument: { uri, version: 2 },
    contentChanges: [{ range: { start: at(2, 11), end: at(2, 16) }, text: 'YES' }],
  });
  // Only screening's warning about the emoji's bytes is left, on a line of 14 UTF-16 units.
  assert.deepEqual((await after).diagnostics.map((d) => [d.code, d.range.end.character]),
                   [['OV-NON-STANDARD-CHARACTERS', 14]]);

  await connection.sendRequest(lsp.ShutdownRequest.type);
  const exited = new Promise((resolve) => child.on('exit', resolve));
  connection.sendNotification(lsp.ExitNotification.type);
  assert.equal(await exited, 0);
  connection.dispose();
}

// Broken input, each case to a server of its own: the bytes sent, then the answers expected by id
// (null: an error without an id) with their error codes (0: a result).
const frame = (message) => {
  const body = Buffer.from(typeof message === 'string' ? message : JSON.stringify(message));
  return Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`), body]);
};
const call = (id, method, params = {}) => frame({ jsonrpc: '2.0', id, method, params });
const note = (method, params) => frame({ jsonrpc: '2.0', method, params });
const initialize = call(1, 'initialize', { capabilities: {} });
const opened = (text) => note('textDocument/didOpen', { textDocument: { uri: 'file:///b.inp', version: 1, text } });
const hover = (id, line, character) => call(id, 'textDocument/hover',
                                           { textDocument: { uri: 'file:///b.inp' }, position: { line, character } });
const robustness = [
  ['malformed header', [Buffer.from('Content-Length: twelve\r\n\r\n{}'), initialize], [[null, -32700], [1, 0]]],
  ['header without length', [Buffer.from('Content-Type: x\r\n\r\n'), initialize], [[null, -32700], [1, 0]]],
  ['invalid JSON', [frame('{"jsonrpc": "2.0", "id": 3,'), initialize], [[null, -32700], [1, 0]]],
  ['not a request', [frame('[1, 2]'), initialize], [[null, -32600], [1, 0]]],
  ['request before initialize', [hover(2, 0, 0), initialize], [[2, -32002], [1, 0]]],
  ['unknown method', [initialize, call(4, 'orvane/unknown')], [[1, 0], [4, -32601]]],
  ['invalid params', [initialize, call(5, 'textDocument/hover', { textDocument: 7 })], [[1, 0], [5, -32602]]],
  ['NUL bytes', [initialize, opened('*AXIAL LOAD\n1\u0000 2 3\n\u0000\u0000\n'), hover(6, 1, 1)], [[1, 0], [6, 0]]],
  ['a megabyte line', [initialize, opened('*P-Y CURVES\nDEPTH=' + '9'.repeat(1 << 20) + '\n'), hover(7, 1, 5)],
   [[1, 0], [7, 0]]],
  ['a range before the first line', [initialize, opened('no keyword line\n'), call(10, 'textDocument/codeAction', {
    textDocument: { uri: 'file:///b.inp' }, context: { diagnostics: [] },
    range: { start: { line: -3, character: 0 }, end: { line: 0, character: 0 } } })], [[1, 0], [10, 0]]],
  ['after shutdown', [initialize, call(8, 'shutdown'), hover(9, 0, 0)], [[1, 0], [8, 0], [9, -32600]]],
];

async function robust([name, chunks, expected]) {
  const child = spawn(server, [], { stdio: ['pipe', 'pipe', 'inherit'] });
  const answers = [];
  let buffer = Buffer.alloc(0);
  child.stdout.on('data', (data) => {
    buffer = Buffer.concat([buffer, data]);
    for (let end; (end = buffer.indexOf('\r\n\r\n')) >= 0;) {
      const length = Number(/Content-Length: (\d+)/.exec(buffer.subarray(0, end).toString())[1]);
      if (buffer.length < end + 4 + length) break;
      const message = JSON.parse(buffer.subarray(end + 4, end + 4 + length).toString());
      buffer = buffer.subarray(end + 4 + length);
      if ('id' in message) answers.push([message.id, message.error ? message.error.code : 0]);
    }
  });
  const exited = new Promise((resolve) => child.on('exit', resolve));
  for (const chunk of chunks) child.stdin.write(chunk);
  child.stdin.end(note('exit', {}));
  const status = await exited;
  assert.deepEqual(answers, expected, name);
  assert.equal(status, expected.some(([id]) => id === 8) ? 0 : 1, `${name}: exit status`);
}

(async () => {
  await session();
  for (const test of robustness) await robust(test);
  console.log(`orvane-lsp: 1 session and ${robustness.length} broken streams, 0 failed`);
})().catch((failure) => {
  console.error(failure);
  process.exit(1);
});
