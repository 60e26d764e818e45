"""Fails unless a .vsix holds the extension's manifest, every file the manifest names, and the
language client that the extension requires."""

import json
import sys
import zipfile

names = set(zipfile.ZipFile(sys.argv[1]).namelist())
manifest = json.loads(zipfile.ZipFile(sys.argv[1]).read("extension/package.json"))
contributes = manifest["contributes"]
wanted = [manifest["main"], contributes["languages"][0]["configuration"], contributes["grammars"][0]["path"],
          "node_modules/vscode-languageclient/node.js"]
missing = [name for name in wanted if "extension/" + name.removeprefix("./") not in names]
if missing or not any(name.startswith("extension/node_modules/vscode-jsonrpc/") for name in names):
    sys.exit(f"{sys.argv[1]} lacks {missing or 'vscode-jsonrpc'}")
print(f"{sys.argv[1]}: {len(names)} files, the extension's and its language client's")
