import sys
from pathlib import Path

# The package is used from the source tree, as a host project would vendor it.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "bindings" / "python"))
