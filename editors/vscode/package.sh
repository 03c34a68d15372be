#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Packages the extension as quillmate-vb-VERSION.vsix beside this script (needs Node.js and npm;
# fetches vscode-languageclient and the packaging tool through npm).
set -euo pipefail
cd "$(dirname "$0")"
npm install --omit=dev --no-audit --no-fund
npx --yes @vscode/vsce package --allow-missing-repository --skip-license
