"""Validates SARIF files against a SARIF JSON schema: validate_sarif.py SCHEMA FILE..."""

import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1], encoding="utf-8"))
validator = jsonschema.validators.validator_for(schema)(schema, format_checker=jsonschema.FormatChecker())
failures = 0
for path in sys.argv[2:]:
    for error in validator.iter_errors(json.load(open(path, encoding="utf-8"))):
        print(f"{path}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
        failures += 1
sys.exit(1 if failures else 0)
