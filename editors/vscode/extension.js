// SPDX-License-Identifier: MIT
// Starts quillmate-cli lsp for Visual Basic documents; everything else comes from the server.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client;

function activate(context) {
  const config = vscode.workspace.getConfiguration("quillmate");
  const server = { command: config.get("path", "quillmate-cli"), args: ["lsp"] };
  client = new LanguageClient("quillmate", "Quillmate/VB", server, {
    documentSelector: [{ scheme: "file", language: "vb" }, { scheme: "untitled", language: "vb" }],
    initializationOptions: { restyleHints: config.get("restyleHints", true) },
  });
  context.subscriptions.push({ dispose: () => client && client.stop() });
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
