"""Reads a written store document with Python's own JSON reader and checks
that it has the documented layout. Exit status 0 when it does."""
import json
import re
import sys

UUID = re.compile(r"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$")


def check_id(value):
    assert isinstance(value, dict) and list(value) == ["rawValue"], value
    assert UUID.match(value["rawValue"]), value


def check_whole(value):
    assert isinstance(value, int) and not isinstance(value, bool), value


def main(path):
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    assert "\n" not in text and ": " not in text and ", " not in text, "not compact"
    doc = json.loads(text)
    assert set(doc) == {"schemaVersion", "groups", "items"}, doc.keys()
    assert doc["schemaVersion"] == 1
    for group in doc["groups"]:
        assert set(group) <= {"id", "name", "symbolName", "shortcut", "order"}, group
        assert {"id", "name", "symbolName", "order"} <= set(group), group
        check_id(group["id"])
        assert isinstance(group["name"], str) and isinstance(group["symbolName"], str)
        check_whole(group["order"])
        if "shortcut" in group:
            assert set(group["shortcut"]) == {"keyCode", "modifierFlags"}
            check_whole(group["shortcut"]["keyCode"])
            check_whole(group["shortcut"]["modifierFlags"])
    for item in doc["items"]:
        assert set(item) <= {"id", "identity", "ordinal", "groupID", "displayName"}, item
        assert {"id", "identity", "ordinal"} <= set(item), item
        check_id(item["id"])
        assert set(item["identity"]) == {"bundleID", "title"}
        check_whole(item["ordinal"])
        if "groupID" in item:
            check_id(item["groupID"])
        if "displayName" in item:
            assert isinstance(item["displayName"], str)
    print(json.dumps({"groups": len(doc["groups"]), "items": len(doc["items"])}))


if __name__ == "__main__":
    main(sys.argv[1])
