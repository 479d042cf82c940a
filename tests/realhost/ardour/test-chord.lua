ardour {
  ["type"] = "dsp",
  name = "Virellando Test Chord",
  category = "Utility",
  license = "MIT",
  author = "Tallowind Inc.",
  description = [[Plays one chord at exact transport positions: the real-host test's notes.]]
}

-- C major around middle C, as a musician's right hand plays it.
local keys = { 60, 64, 67 }
local velocity = 100

function dsp_ioconfig ()
  return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } }
end

function dsp_params ()
  return {
    { ["type"] = "input", name = "Chord on (frame)", min = 0, max = 16777216, default = 0, integer = true },
    { ["type"] = "input", name = "Chord off (frame)", min = 0, max = 16777216, default = 0, integer = true },
  }
end

-- Each message goes out in the cycle that holds its frame, at its offset inside the cycle, so the
-- instrument gets it at the exact frame whatever the host's cycle length.
function dsp_run (_, _, n_samples)
  if not Session:transport_rolling () then return end
  local ctrl = CtrlPorts:array ()
  local cycleStart = Session:transport_sample ()
  local count = 0
  for _, message in ipairs ({ { ctrl[1], 0x90, velocity }, { ctrl[2], 0x80, 0 } }) do
    local frame = message[1]
    if frame >= cycleStart and frame < cycleStart + n_samples then
      for _, key in ipairs (keys) do
        count = count + 1
        midiout[count] = { time = frame - cycleStart + 1, data = { message[2], key, message[3] } }
      end
    end
  end
end
