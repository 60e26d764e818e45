// Starts orvane-lsp for the Orvane input files that are opened, and stops it with the editor.
'use strict';
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function activate(context) {
  const settings = vscode.workspace.getConfiguration('orvane');
  const server = { command: settings.get('server.path', 'orvane-lsp'), args: ['--stdio'] };
  client = new LanguageClient('orvane', 'Orvane', { run: server, debug: server }, {
    documentSelector: [{ language: 'orvane' }],
    initializationOptions: { timeDomain: settings.get('timeDomain', false) },
  });
  context.subscriptions.push(client);
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
