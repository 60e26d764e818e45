"""Every code block of the README marked `<!-- snippet: FILE NAME -->` must stand in FILE between the
comment lines `[snippet NAME]` and `[/snippet]`, so that the README shows code the tests run; every
block marked `<!-- output: FILE -->` must stand in FILE, an expected output the tests compare."""

import re
import sys
import textwrap
from pathlib import Path

root = Path(__file__).resolve().parents[1]
readme = (root / "README.md").read_text()
blocks = re.findall(r"<!-- snippet: (\S+) (\S+) -->\n```\w*\n(.*?)```", readme, re.S)
if not blocks:
    sys.exit("README has no marked snippets")
failures = 0
for path, name, code in blocks:
    source = (root / path).read_text()
    region = re.search(rf"\[snippet {re.escape(name)}\][^\n]*\n(.*?)\n[^\n]*\[/snippet\]", source, re.S)
    if region is None:
        print(f"{path}: no region [snippet {name}]")
        failures += 1
    elif textwrap.dedent(region.group(1)).strip() != textwrap.dedent(code).strip():
        print(f"README snippet {name} differs from {path}")
        failures += 1
outputs = re.findall(r"<!-- output: (\S+) -->\n```\w*\n(.*?)```", readme, re.S)
for path, text in outputs:
    if text not in (root / path).read_text():
        print(f"README output differs from {path}")
        failures += 1
blocks += outputs
print(f"{len(blocks) - failures} passed, {failures} failed")
sys.exit(1 if failures else 0)
