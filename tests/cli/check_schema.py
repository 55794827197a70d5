#!/usr/bin/env python3
"""Makes docs/label.schema.json and the field tables of docs/label-format.md
from the tool's own tables (`quillon fields`) and checks that the checked-in
files are what it makes; then checks every example label against the schema
and that labels the tool rejects are invalid.
    check_schema.py ROOT TOOL [--update]   (--update rewrites the two files)"""
import json
import pathlib
import subprocess
import sys

import jsonschema

root, tool = pathlib.Path(sys.argv[1]), sys.argv[2]
update = "--update" in sys.argv[3:]
tables = json.loads(subprocess.run([tool, "fields"], capture_output=True, text=True, check=True).stdout)
TYPES = {"position": "number", "length": "number", "number": "number", "integer": "integer",
         "string": "string", "boolean": "boolean"}


def prop(f):
    p = {"description": f["meaning"]}
    t = f["type"]
    if t in TYPES:
        p["type"] = TYPES[t]
    if t in ("number", "integer"):
        p["exclusiveMinimum" if f.get("above") else "minimum"] = f["min"]
        p["maximum"] = f["max"]
    elif t in ("position", "length"):
        p["exclusiveMinimum" if t == "length" else "minimum"] = 0
    if "choices" in f:
        p["enum"] = f["choices"]
    if t == "lines":
        p.update(type="array", items={"type": "string"})
    if t == "segments":
        p.update(type="array", minItems=1, items={
            "type": "object", "additionalProperties": False, "required": ["data"],
            "properties": {"mode": {"enum": ["numeric", "alphanumeric", "binary", "kanji"]},
                           "data": {"type": "string"}}})
    if t == "objects":
        p.update(type="array", items={"$ref": "#/$defs/object"})
    return p


def table(t, kind=None):
    fields = {f["name"]: f for f in t["fields"]}
    out = {"type": "object", "additionalProperties": False, "required": [], "properties": {}}
    rules, dependent = [], {}
    if kind:
        out["required"].append("type")
        out["properties"]["type"] = {"const": kind}
    for f in t["fields"]:
        name = f["name"]
        out["properties"][name] = prop(f)
        if "default" not in f and "only_with" not in f and "or_else" not in f:
            out["required"].append(name)
        other = f.get("excludes")
        if other and (fields[other].get("excludes") != name or name < other):
            rules.append({"not": {"required": [name, other]}})
        if "needs" in f:
            dependent[name] = [f["needs"]]
        if "or_else" in f:
            rules.append({"anyOf": [{"required": [name]}, {"required": [f["or_else"]]}]})
        if "only_with" in f:
            w = f["only_with"]
            cond = {"properties": {w["field"]: {"enum": w["values"]}}}
            if not w["default_allows"]:  # an absent field takes its default
                cond["required"] = [w["field"]]
            rule = {"if": cond}
            if w["required"]:
                rule["then"] = {"required": [name]}
            rule["else"] = {"not": {"required": [name]}}
            rules.append(rule)
    if dependent:
        out["dependentRequired"] = dependent
    if rules:
        out["allOf"] = rules
    return out


def schema():
    s = {"$schema": "https://json-schema.org/draft/2020-12/schema", "title": "quillon label",
         "description": "A label for `quillon render`; see docs/label-format.md."}
    s.update(table(tables["label"]))
    kinds = [t["name"] for t in tables["objects"]]
    defs = {t["name"]: table(t, t["name"]) for t in tables["objects"]}
    defs["object"] = {"type": "object", "required": ["type"], "properties": {"type": {"enum": kinds}},
                      "allOf": [{"if": {"properties": {"type": {"const": k}}}, "then": {"$ref": f"#/$defs/{k}"}}
                                for k in kinds]}
    s["$defs"] = defs
    return json.dumps(s, indent=2, ensure_ascii=False) + "\n"


def number(v):
    return str(int(v)) if v == int(v) else str(v)


def markdown():
    out = []
    for t in [tables["label"]] + tables["objects"]:
        out.append("### The label" if t is tables["label"] else f"### `{t['name']}`")
        out.append("")
        if "note" in t:
            out += [t["note"], ""]
        out += ["| Field | Type | Range | Default | Printed by | Meaning |", "|---|---|---|---|---|---|"]
        for f in t["fields"]:
            kind = f["type"]
            typ = " \\| ".join(f'`"{c}"`' for c in f["choices"]) if "choices" in f else {
                "position": "length", "lines": "array of strings", "segments": "array of `{mode, data}`",
                "objects": "array"}.get(kind, kind)
            rng = ""
            if "min" in f:
                unit = " dots" if kind in ("position", "length") else ""
                rng = (f"above {number(f['min'])}, up to " if f.get("above") else f"{number(f['min'])} to ") + \
                    number(f["max"]) + unit
            default = f.get("default", "required")
            if default in f.get("choices", []):
                default = f'`"{default}"`'
            if "or_else" in f:
                default = f"required unless `{f['or_else']}`"
            meaning = f["meaning"]
            if "only_with" in f:
                w = f["only_with"]
                default = "required" if w["required"] else default
                meaning += f"; only with `{w['field']}` " + ", ".join(str(v) for v in w["values"])
            if "excludes" in f:
                meaning += f"; not with `{f['excludes']}`"
            if "needs" in f:
                meaning += f"; needs `{f['needs']}`"
            out.append(f"| `{f['name']}` | {typ} | {rng} | {default} | {f['printed_by']} | {meaning} |")
        out.append("")
    return "\n".join(out)


failed = 0


def check(ok, message):
    global failed
    if not ok:
        failed += 1
        print(f"FAILED: {message}")


schema_path, doc_path = root / "docs/label.schema.json", root / "docs/label-format.md"
begin, end = "<!-- quillon fields: begin -->\n", "<!-- quillon fields: end -->"
doc = doc_path.read_text()
head, rest = doc.split(begin)
tail = rest[rest.index(end):]
if update:
    schema_path.write_text(schema())
    doc_path.write_text(head + begin + markdown() + tail)
check(schema_path.read_text() == schema(), "docs/label.schema.json differs from the tool's tables")
check(doc_path.read_text() == head + begin + markdown() + tail,
      "the field tables of docs/label-format.md differ from the tool's tables")

validator = jsonschema.Draft202012Validator(json.loads(schema()))
jsonschema.Draft202012Validator.check_schema(validator.schema)
examples = sorted((root / "examples").glob("*.json"))
for example in examples:
    errors = list(validator.iter_errors(json.loads(example.read_text())))
    check(not errors, f"{example.name} should be valid: {errors[0].message if errors else ''}")

# Each of these is rejected by the tool too (see CliTests.cpp).
invalid = [
    {"objects": [{"type": "text", "x": 1, "y": 2, "text": "A", "rotation": "left"}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2, "y2": 2, "rotaton": "cw"}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2}]},
    {"objects": [{"type": "line", "x": 1, "y": 1, "x2": 2, "y2": 2, "thickness": -1}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1, "data": "A", "mask": 9}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1, "data": "A", "segments": [{"data": "1"}]}]},
    {"objects": [{"type": "qr", "x": 1, "y": 1}]},
    {"objects": [{"type": "pdf417", "x": 1, "y": 1, "data": "A", "rows": 1000}]},
    {"objects": [{"type": "aztec", "x": 1, "y": 1, "data": "A", "layers": 99}]},
    {"objects": [{"type": "datamatrix", "x": 1, "y": 1, "data": "A", "rows": 10}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 4, "primary": "P", "postal_code": "1"}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 2, "postal_code": "1", "country_code": "840"}]},
    {"objects": [{"type": "maxicode", "x": 1, "y": 1, "mode": 4}]},
    {"objects": [{"type": "rfid", "bank": "epc", "user_data": "A"}]},
    {"objects": [{"type": "rfid", "field32": 1, "bank": "user"}]},
    {"objects": [{"type": "text", "x": 1, "y": 1, "text": "A", "size": 4, "size_x": 5}]},
    {"objects": [{"type": "text", "x": 1, "y": 1, "text": "A", "size": 0}]},
    {"dpi": 203, "dots_per_mm": 8},
    {"dpi": 1e30},
    {"objetcs": []},
]
for label in invalid:
    check(not validator.is_valid(label), f"should be invalid: {json.dumps(label)}")

total = 2 + len(examples) + len(invalid)
print(f"{total - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
