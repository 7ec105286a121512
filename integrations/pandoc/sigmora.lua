-- Pandoc filter: an image whose source is a Sigmora diagram (.sgm), a WaveJSON file (.json) or a
-- value change dump (.vcd) becomes the picture Sigmora draws of it: SVG for HTML and most
-- outputs, PDF for LaTeX and Beamer, PNG for word processors (docx, odt, pptx, rtf).
--
--   pandoc --lua-filter integrations/pandoc/sigmora.lua doc.md -o doc.html
--
-- The pictures are kept in a cache folder (SIGMORA_CACHE, default "_sigmora" in the working
-- folder) under a name made from the diagram's bytes, the output type and the dump options, so a
-- diagram that did not change is never converted again. SIGMORA names the program (default
-- "sigmora" on the PATH). An image's attributes clock, signals, from and to are handed to a dump
-- as --clock, --signals, --from and --to. A diagram that is missing or cannot be converted stops
-- the build with the file's name and Sigmora's reason.

local program = os.getenv("SIGMORA") or "sigmora"
local cache = os.getenv("SIGMORA_CACHE") or "_sigmora"

local diagram_types = { sgm = true, json = true, vcd = true }
local dump_options = { "clock", "signals", "from", "to" }

-- The picture type the output format takes.
local function picture_type()
  if FORMAT:match("latex") or FORMAT:match("beamer") or FORMAT:match("context") then
    return "pdf"
  end
  if FORMAT:match("docx") or FORMAT:match("odt") or FORMAT:match("pptx") or FORMAT:match("rtf") then
    return "png"
  end
  return "svg"
end

local function read_bytes(path)
  local file = io.open(path, "rb")
  if not file then
    return nil
  end
  local bytes = file:read("a")
  file:close()
  return bytes
end

local function exists(path)
  local file = io.open(path, "rb")
  if file then
    file:close()
    return true
  end
  return false
end

local function fail(path, reason)
  error("sigmora: " .. path .. ": " .. reason, 0)
end

local function convert(image)
  local src = image.src
  local extension = src:match("%.([%w]+)$")
  if not extension or not diagram_types[extension:lower()] then
    return nil
  end
  local bytes = read_bytes(src)
  if not bytes then
    fail(src, "the diagram cannot be read (missing or not readable)")
  end
  local kind = picture_type()
  local args = {}
  local key = bytes .. "\0" .. kind .. "\0" .. extension:lower()
  for _, option in ipairs(dump_options) do
    local value = image.attributes[option]
    if value then
      table.insert(args, "--" .. option)
      table.insert(args, value)
      key = key .. "\0" .. option .. "=" .. value
      image.attributes[option] = nil
    end
  end
  local out = cache .. "/" .. pandoc.utils.sha1(key) .. "." .. kind
  if not exists(out) then
    os.execute("mkdir -p '" .. cache:gsub("'", "'\\''") .. "'")
    -- Run through sh so that Sigmora's message on standard error comes back with the failure.
    local command = { "-c", 'exec "$0" "$@" 2>&1', program, "--convert", src, out }
    for _, a in ipairs(args) do
      table.insert(command, a)
    end
    -- Sigmora writes the picture whole or not at all, so a failed run leaves nothing in the cache.
    local ok, result = pcall(pandoc.pipe, "sh", command, "")
    if not ok then
      local reason = type(result) == "table" and tostring(result.output) or tostring(result)
      reason = reason:gsub("sigmora: ", ""):gsub("\n+$", ""):gsub("\n", "; ")
      if reason == "" then
        reason = "the conversion failed"
      end
      fail(src, reason)
    end
    io.stderr:write("sigmora: converted " .. src .. " to " .. out .. "\n")
  end
  image.src = out
  return image
end

return { { Image = convert } }
