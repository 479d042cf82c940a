ardour {
  ["type"] = "dsp",
  name = "Virellando Test Chord",
  category = "Utility",
  license = "MIT",
  author = "Tallowind Inc.",
  description = [[Plays one chord, then one note held by the sustain pedal, at exact transport positions: the
real-host test's notes.]]
}

-- C major around middle C, as a musician's right hand plays it; then, with the reverb send turned off
-- (controller 91) so that what rings is the string, A above middle C (440 Hz) under the sustain pedal
-- (controller 64).
local keys = { 60, 64, 67 }
local pedalledKey = 69
local velocity = 100

function dsp_ioconfig ()
  return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } }
end

function dsp_params ()
  local frame = function (name)
    return { ["type"] = "input", name = name .. " (frame)", min = 0, max = 16777216, default = 0, integer = true }
  end
  return { frame ("Chord on"), frame ("Chord off"), frame ("Reverb off"), frame ("Pedal down"), frame ("Note on"),
           frame ("Note off"), frame ("Pedal up") }
end

-- Each message goes out in the cycle that holds its frame, at its offset inside the cycle, so the
-- instrument gets it at the exact frame whatever the host's cycle length.
function dsp_run (_, _, n_samples)
  if not Session:transport_rolling () then return end
  local ctrl = CtrlPorts:array ()
  local cycleStart = Session:transport_sample ()
  local count = 0
  local messages = {}
  for _, key in ipairs (keys) do
    table.insert (messages, { ctrl[1], { 0x90, key, velocity } })
    table.insert (messages, { ctrl[2], { 0x80, key, 0 } })
  end
  table.insert (messages, { ctrl[3], { 0xB0, 91, 0 } })
  table.insert (messages, { ctrl[4], { 0xB0, 64, 127 } })
  table.insert (messages, { ctrl[5], { 0x90, pedalledKey, velocity } })
  table.insert (messages, { ctrl[6], { 0x80, pedalledKey, 0 } })
  table.insert (messages, { ctrl[7], { 0xB0, 64, 0 } })
  for _, message in ipairs (messages) do
    local frame = message[1]
    if frame >= cycleStart and frame < cycleStart + n_samples then
      count = count + 1
      midiout[count] = { time = frame - cycleStart + 1, data = message[2] }
    end
  end
end
