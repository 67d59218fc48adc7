#pragma once
// What every window, printed page and output of tamrik-calc says while the
// loaded rule data are a made-up sample (TamrikInfo's sampleData): one
// sentence, so the program never says it two ways.

namespace tamrik {

// UTF-8.
inline constexpr char kSampleNotice[] =
    "ข้อมูลในโปรแกรมนี้เป็นข้อมูลตัวอย่างที่สมมติขึ้น ไม่ใช่เกณฑ์และคะแนนจริงของการคัดเลือก";

}  // namespace tamrik
